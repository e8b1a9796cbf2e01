#pragma once

#include <QString>
#include <QVector>

#include <functional>

// Cuts a text into the pages a renderer shows. Widget-free: the caller supplies the width
// of a piece of text (a QFontMetricsF in the renderer, a fixed advance in tests).
//
// Every character of the text belongs to exactly one page, pages follow each other without
// gaps, and a page always ends on a line end. A "\n" that ends a line belongs to that line.
//
// The work grows with the length of the text, not with its square: a line is searched
// from the length of the line before, and only pieces about a line long are measured.
// Nothing here touches a widget, so a long text can be cut on a worker thread (with a
// measure of its own, e.g. a QFontMetricsF of a QFont made on that thread).
class TextPaginator
{
public:
    using Measure = std::function<qreal(const QString &)>;

    struct Line
    {
        int start = 0;  // index of the first character in the text
        int length = 0; // characters shown, without a line-ending "\n"
        int span = 0;   // characters consumed, with the "\n"
    };

    struct Page
    {
        int start = 0;
        int length = 0; // characters of the text on this page ("\n" included)
        QVector<Line> lines;
    };

    // Receives each page as soon as it is cut, in order; returning false stops the cutting.
    using PageSink = std::function<bool(const Page &)>;

    // Simple text: lines end at "\n" or at the last line break (between words, or between
    // two Chinese characters) within the longest run that fits `width`; a word longer than
    // the line is cut where the width ends (at least one character, so a character wider
    // than the renderer still moves on). Spaces after a line's last word hang at its end
    // (in its span, not its length). `linesPerPage` lines make a page (at least one). An
    // empty text gives no pages.
    static QVector<Page> paginate(const QString &text, qreal width, int linesPerPage, const Measure &measure);
    static void paginate(const QString &text, qreal width, int linesPerPage, const Measure &measure,
                         const PageSink &sink);

    // Single-row text: each page is the longest run not wider than `width` that ends at a line
    // break as above (at least one character), with the spaces after it.
    static QVector<Page> paginateSingleRow(const QString &text, qreal width, const Measure &measure);
    static void paginateSingleRow(const QString &text, qreal width, const Measure &measure,
                                  const PageSink &sink);

    // The texts of the pages, in order.
    static QStringList pageTexts(const QString &text, const QVector<Page> &pages);

private:
    // `run` (cut by the width, less than `limit`) shortened to the last line break in it.
    static int wordRun(const QString &text, int start, int run, int limit);
    static int hangingSpaces(const QString &text, int end);
    // Characters from `start` (at most `limit`) that fit `width`; at least 1 when limit > 0.
    // `guess` (the length of the previous run cut by the width) is where the search starts.
    static int fittingRun(const QString &text, int start, int limit, qreal width, const Measure &measure,
                          int guess);
};
