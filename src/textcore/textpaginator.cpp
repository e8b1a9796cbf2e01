#include "textpaginator.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>

int TextPaginator::fittingRun(const QString &text, int start, int limit, qreal width, const Measure &measure,
                              int guess)
{
    if (limit <= 0)
        return 0;
    // The pieces are measured in place: copying them would cost as much as measuring.
    const auto fits = [&](int len) {
        return measure(QString::fromRawData(text.constData() + start, len)) <= width;
    };
    // Widths grow with the run, so the longest run that fits is the same whichever lengths
    // are tried. Lines of a text are mostly about as long as the one before: starting there
    // and stepping out by doubling steps until the answer is bracketed takes two or three
    // short measurements per line, and never measures the rest of a long text.
    int lo = 0;     // fits (0: nothing known to fit)
    int hi = limit; // does not fit, unless the whole rest fits
    const int first = std::clamp(guess, 1, limit);
    if (fits(first)) {
        lo = first;
        for (int step = 1;; step *= 2) {
            if (lo == limit)
                return limit;
            const int probe = int(std::min<qint64>(qint64(lo) + step, limit));
            if (!fits(probe)) {
                hi = probe;
                break;
            }
            lo = probe;
        }
    } else {
        hi = first;
        for (int step = 1;; step *= 2) {
            const int probe = hi - step;
            if (probe <= 0)
                break; // lo stays 0: not even one character fits, or it is still to be bisected
            if (fits(probe)) {
                lo = probe;
                break;
            }
            hi = probe;
        }
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid;
    }
    int run = std::max(lo, 1);
    // Never split a character outside the basic plane (an emoji) between two pages or lines.
    const int end = start + run;
    if (end < text.size() && text.at(end).isLowSurrogate() && text.at(end - 1).isHighSurrogate())
        run += run > 1 ? -1 : 1;
    return run;
}

int TextPaginator::wordRun(const QString &text, int start, int run, int limit)
{
    if (run >= limit)
        return run;
    // Spaces after the last word that fits hang at the line end: the next line starts with
    // the next word, not with a space.
    if (text.at(start + run) == QLatin1Char(' '))
        return run;
    // Only the run and the character after it are looked at, so a line costs what it is
    // long whatever the length of its paragraph. Line breaks as Unicode defines them fall
    // after spaces and between the characters of Chinese and Japanese.
    const QString piece = QString::fromRawData(text.constData() + start, std::min(run + 1, limit));
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, piece);
    breaks.setPosition(run);
    if (breaks.isAtBoundary())
        return run;
    const int previous = breaks.toPreviousBoundary();
    // A word longer than the line is cut where the width ends.
    return previous > 0 ? previous : run;
}

int TextPaginator::hangingSpaces(const QString &text, int end)
{
    int spaces = 0;
    while (end + spaces < text.size() && text.at(end + spaces) == QLatin1Char(' '))
        ++spaces;
    return spaces;
}

void TextPaginator::paginate(const QString &text, qreal width, int linesPerPage, const Measure &measure,
                             const PageSink &sink)
{
    const int n = text.size();
    const int perPage = std::max(linesPerPage, 1);
    int pos = 0;
    int guess = 16;
    // The next "\n" is looked up once and kept until the lines pass it; looking it up for
    // every line would scan the rest of a long paragraph again and again.
    int newline = -1;
    Page page;
    page.start = 0;
    while (pos < n) {
        if (newline < pos)
            newline = text.indexOf(QLatin1Char('\n'), pos);
        if (newline < 0)
            newline = n; // none left: the end of the text ends the last line
        const int limit = newline - pos;
        Line line;
        line.start = pos;
        const int fitting = fittingRun(text, pos, limit, width, measure, guess);
        line.length = wordRun(text, pos, fitting, limit);
        line.span = line.length;
        if (line.length == limit && newline < n) {
            line.span += 1; // the "\n" ends this line
        } else if (line.length < limit) {
            guess = fitting;
            line.span += std::min(hangingSpaces(text, pos + line.length), limit - line.length);
            if (line.span == limit && newline < n)
                line.span += 1;
        }
        pos += line.span;
        page.lines.append(line);
        if (page.lines.size() == perPage) {
            page.length = pos - page.start;
            if (!sink(page))
                return;
            page = Page();
            page.start = pos;
        }
    }
    if (!page.lines.isEmpty()) {
        page.length = pos - page.start;
        sink(page);
    }
}

QVector<TextPaginator::Page> TextPaginator::paginate(const QString &text, qreal width, int linesPerPage,
                                                     const Measure &measure)
{
    QVector<Page> pages;
    paginate(text, width, linesPerPage, measure, [&pages](const Page &p) {
        pages.append(p);
        return true;
    });
    return pages;
}

void TextPaginator::paginateSingleRow(const QString &text, qreal width, const Measure &measure,
                                      const PageSink &sink)
{
    const int n = text.size();
    int pos = 0;
    int guess = 16;
    while (pos < n) {
        Page page;
        page.start = pos;
        const int fitting = fittingRun(text, pos, n - pos, width, measure, guess);
        const int shown = wordRun(text, pos, fitting, n - pos);
        if (pos + fitting < n)
            guess = fitting;
        page.length = shown + hangingSpaces(text, pos + shown);
        page.lines.append(Line{pos, shown, page.length});
        pos += page.length;
        if (!sink(page))
            return;
    }
}

QVector<TextPaginator::Page> TextPaginator::paginateSingleRow(const QString &text, qreal width,
                                                              const Measure &measure)
{
    QVector<Page> pages;
    paginateSingleRow(text, width, measure, [&pages](const Page &p) {
        pages.append(p);
        return true;
    });
    return pages;
}

QStringList TextPaginator::pageTexts(const QString &text, const QVector<Page> &pages)
{
    QStringList out;
    out.reserve(pages.size());
    for (const Page &p : pages)
        out.append(text.mid(p.start, p.length));
    return out;
}
