#include "textcore/textpaginator.h"

#include <QFontMetricsF>
#include <QRandomGenerator>
#include <QTextBoundaryFinder>
#include <QtTest>

namespace {
// Every character 10 pixels wide: widths are exact and known.
TextPaginator::Measure fixedWidth(qreal advance = 10.0)
{
    return [advance](const QString &s) { return s.size() * advance; };
}

QString joined(const QString &text, const QVector<TextPaginator::Page> &pages)
{
    return TextPaginator::pageTexts(text, pages).join(QString());
}
} // namespace

class TestTextPaginator : public QObject
{
    Q_OBJECT

private slots:
    // Simple text
    void threeLinesInTwoLineRendererGiveTwoPages();
    void emptyTextGivesNoPages();
    void exactWidthLineIsTakenWhole();
    void pagesEndOnLineEnds();
    void newlineBelongsToTheLineItEnds();
    void characterWiderThanRendererStillMovesOn();
    void rendererLowerThanOneLineShowsOneLinePerPage();
    void everyCharacterExactlyOnceForRandomTexts();
    void everyCharacterExactlyOnceWithRealFont();
    void longTextKeepsEveryCharacterOnce();
    void everyLineIsTheLongestRunThatFits();
    void sentencesBreakBetweenWords();
    void charactersOutsideTheBasicPlaneStayWhole();

    // Single-row text
    void eightEqualCharactersFourFillingGiveTwoPagesOfFour();
    void singleRowLastPageIsTheRest();
    void singleRowEmptyTextGivesNoPages();
    void singleRowNarrowRendererOneCharacterPerPage();
};

void TestTextPaginator::threeLinesInTwoLineRendererGiveTwoPages()
{
    const QString text = QStringLiteral("one\ntwo\nthree");
    const auto pages = TextPaginator::paginate(text, 200, 2, fixedWidth());
    QCOMPARE(pages.size(), 2);
    QCOMPARE(TextPaginator::pageTexts(text, pages),
             QStringList({QStringLiteral("one\ntwo\n"), QStringLiteral("three")}));
    QCOMPARE(pages.at(0).lines.size(), 2);
    QCOMPARE(pages.at(1).lines.size(), 1);
}

void TestTextPaginator::emptyTextGivesNoPages()
{
    QVERIFY(TextPaginator::paginate(QString(), 200, 3, fixedWidth()).isEmpty());
}

void TestTextPaginator::exactWidthLineIsTakenWhole()
{
    // 40 pixels wide, four characters of 10: "abcd" fills the line exactly.
    const QString text = QStringLiteral("abcdefgh");
    const auto pages = TextPaginator::paginate(text, 40, 10, fixedWidth());
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.at(0).lines.size(), 2);
    QCOMPARE(text.mid(pages.at(0).lines.at(0).start, pages.at(0).lines.at(0).length), QStringLiteral("abcd"));
    QCOMPARE(text.mid(pages.at(0).lines.at(1).start, pages.at(0).lines.at(1).length), QStringLiteral("efgh"));
    // One pixel less and the line takes three.
    const auto narrower = TextPaginator::paginate(text, 39, 10, fixedWidth());
    QCOMPARE(narrower.at(0).lines.at(0).length, 3);
}

void TestTextPaginator::pagesEndOnLineEnds()
{
    const QString text = QStringLiteral("aaaaaaa\nbb\n\ncccccccccccc\nd");
    const auto pages = TextPaginator::paginate(text, 50, 2, fixedWidth());
    for (const auto &page : pages) {
        const auto &last = page.lines.last();
        QCOMPARE(last.start + last.span, page.start + page.length);
        QVERIFY(page.lines.size() <= 2);
        for (const auto &line : page.lines)
            QVERIFY(line.length * 10 <= 50);
    }
    QCOMPARE(joined(text, pages), text);
    // Lines: aaaaa | aa\n | bb\n | \n | ccccc | ccccc | cc\n | d  -> four pages.
    QCOMPARE(pages.size(), 4);
}

void TestTextPaginator::newlineBelongsToTheLineItEnds()
{
    const QString text = QStringLiteral("ab\ncd");
    const auto pages = TextPaginator::paginate(text, 100, 1, fixedWidth());
    QCOMPARE(TextPaginator::pageTexts(text, pages),
             QStringList({QStringLiteral("ab\n"), QStringLiteral("cd")}));
    QCOMPARE(pages.at(0).lines.at(0).length, 2);
    QCOMPARE(pages.at(0).lines.at(0).span, 3);
}

void TestTextPaginator::characterWiderThanRendererStillMovesOn()
{
    const QString text = QStringLiteral("xyz");
    const auto pages = TextPaginator::paginate(text, 5, 1, fixedWidth());
    QCOMPARE(pages.size(), 3);
    QCOMPARE(joined(text, pages), text);
}

void TestTextPaginator::rendererLowerThanOneLineShowsOneLinePerPage()
{
    const QString text = QStringLiteral("a\nb");
    const auto pages = TextPaginator::paginate(text, 100, 0, fixedWidth());
    QCOMPARE(pages.size(), 2);
}

void TestTextPaginator::everyCharacterExactlyOnceForRandomTexts()
{
    QRandomGenerator rng(20240607);
    const QString alphabet = QStringLiteral("abc XYZ\n\n\t.\u4e2d\u6587");
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int n = rng.bounded(0, 400);
        for (int i = 0; i < n; ++i)
            text += alphabet.at(rng.bounded(alphabet.size()));
        const qreal width = rng.bounded(1, 300);
        const int lines = rng.bounded(0, 8);
        // Unequal widths: wide CJK characters.
        const TextPaginator::Measure measure = [](const QString &s) {
            qreal w = 0;
            for (QChar c : s)
                w += c.unicode() > 0x3000 ? 17.0 : 7.0;
            return w;
        };
        const auto pages = TextPaginator::paginate(text, width, lines, measure);
        QCOMPARE(joined(text, pages), text);
        int expectedStart = 0;
        for (const auto &page : pages) {
            QCOMPARE(page.start, expectedStart);
            QVERIFY(page.length > 0);
            int lineStart = page.start;
            for (const auto &line : page.lines) {
                QCOMPARE(line.start, lineStart);
                QVERIFY(line.span >= 1);
                // A line fits, unless it is a single character.
                QVERIFY(line.length <= 1 || measure(text.mid(line.start, line.length)) <= width);
                lineStart += line.span;
            }
            QCOMPARE(lineStart, page.start + page.length);
            expectedStart += page.length;
        }
        const auto rows = TextPaginator::paginateSingleRow(text, width, measure);
        QCOMPARE(joined(text, rows), text);
    }
}

void TestTextPaginator::everyCharacterExactlyOnceWithRealFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(18);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    const QFontMetricsF fm(font);
    const QString text =
        QStringLiteral("The quick brown fox jumps over the lazy dog.\n"
                       "\u4e2d\u6587\u6587\u5b57 mixed with Latin text, long enough to wrap.");
    const auto pages =
        TextPaginator::paginate(text, 220, 3, [&fm](const QString &s) { return fm.horizontalAdvance(s); });
    QVERIFY(pages.size() >= 2);
    QCOMPARE(joined(text, pages), text);
    for (const auto &page : pages)
        for (const auto &line : page.lines)
            QVERIFY(fm.horizontalAdvance(text.mid(line.start, line.length)) <= 220);
    // Letter spacing is part of the measured width, so spaced text makes more lines.
    QFont plain = font;
    plain.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    const QFontMetricsF pm(plain);
    QVERIFY(fm.horizontalAdvance(QStringLiteral("abcdef")) >
            pm.horizontalAdvance(QStringLiteral("abcdef")) + 10);
}

void TestTextPaginator::longTextKeepsEveryCharacterOnce()
{
    // How long this takes is a figure of bench_textpaginator.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(16);
    const QFontMetricsF fm(font);
    QString text;
    const QString words = QStringLiteral("Lumora shows every character exactly once. \u4e2d\u6587 ");
    while (text.size() < 20000)
        text += words;
    text.truncate(20000);
    const auto pages =
        TextPaginator::paginate(text, 640, 8, [&fm](const QString &s) { return fm.horizontalAdvance(s); });
    QCOMPARE(joined(text, pages), text);
    QVERIFY(pages.size() > 1);
    for (const auto &page : pages)
        QVERIFY(page.lines.size() <= 8);
}

void TestTextPaginator::everyLineIsTheLongestRunThatFits()
{
    // Lines of very unequal lengths, so the search for a line starts far from its answer.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(14);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    const QFontMetricsF fm(font);
    const TextPaginator::Measure measure = [&fm](const QString &s) { return fm.horizontalAdvance(s); };
    QRandomGenerator rng(20250301);
    const QStringList words = {QStringLiteral("a"),
                               QStringLiteral("Lumora"),
                               QStringLiteral("WWWWWWWWWW"),
                               QStringLiteral("iiiiiiiiiiiiiiiiiiii"),
                               QStringLiteral("\u4e2d\u6587"),
                               QStringLiteral("\n"),
                               QStringLiteral(" ")};
    QString text;
    while (text.size() < 6000)
        text += words.at(rng.bounded(words.size()));
    // A line cut by the width ends at a line break (between words, or between two Chinese
    // characters), and the words up to the next break would not fit; a line with no break in
    // it is a word longer than the width, cut where the width ends.
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    const auto trimmedWidth = [&](int start, int end) {
        while (end > start && text.at(end - 1) == QLatin1Char(' '))
            --end;
        return fm.horizontalAdvance(text.mid(start, end - start));
    };
    const auto wellCut = [&](int start, int length, qreal width) {
        const int end = start + length;
        if (end >= text.size() || text.at(end) == QLatin1Char('\n'))
            return true;
        if (length > 1 && trimmedWidth(start, end) > width)
            return false;
        breaks.setPosition(end);
        if (breaks.isAtBoundary() || text.at(end) == QLatin1Char(' ')) {
            int from = end;
            while (from < text.size() && text.at(from) == QLatin1Char(' '))
                ++from;
            breaks.setPosition(from);
            const int next = breaks.toNextBoundary();
            return next < 0 || text.mid(end, next - end).contains(QLatin1Char('\n')) ||
                   trimmedWidth(start, next) > width;
        }
        breaks.setPosition(end);
        return breaks.toPreviousBoundary() <= start && fm.horizontalAdvance(text.mid(start, length + 1)) > width;
    };
    for (const qreal width : {37.0, 180.0, 641.5}) {
        const auto pages = TextPaginator::paginate(text, width, 5, measure);
        QCOMPARE(joined(text, pages), text);
        for (const auto &page : pages)
            for (const auto &line : page.lines)
                QVERIFY2(wellCut(line.start, line.length, width), qPrintable(QString::number(line.start)));
        const auto rows = TextPaginator::paginateSingleRow(text, width, measure);
        QCOMPARE(joined(text, rows), text);
        for (const auto &row : rows)
            QVERIFY2(wellCut(row.start, row.lines.first().length, width), qPrintable(QString::number(row.start)));
    }
}

// An English sentence breaks between its words, a Chinese one between any two characters.
void TestTextPaginator::sentencesBreakBetweenWords()
{
    const auto lines = [](const QString &text, int perLine) {
        // Every character one unit wide: `perLine` characters fit a line.
        const auto pages = TextPaginator::paginate(text, perLine, 100,
                                                   [](const QString &s) { return qreal(s.size()); });
        QStringList out;
        for (const auto &page : pages)
            for (const auto &line : page.lines)
                out << text.mid(line.start, line.length);
        return out;
    };
    QCOMPARE(lines(QStringLiteral("CYCLE INSERT every 2 min"), 16),
             QStringList({"CYCLE INSERT ", "every 2 min"}));
    QCOMPARE(lines(QStringLiteral("one  two"), 4), QStringList({"one ", "two"}));
    QCOMPARE(lines(QStringLiteral("unbreakable word"), 5), QStringList({"unbre", "akabl", "e ", "word"}));
    QCOMPARE(lines(QString::fromUtf8("欢迎光临本店"), 4), QStringList({QString::fromUtf8("欢迎光临"), QString::fromUtf8("本店")}));
}

void TestTextPaginator::charactersOutsideTheBasicPlaneStayWhole()
{
    // Each UTF-16 unit 10 pixels: a 35-pixel line would cut an emoji in half.
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    const QString text = QStringLiteral("ab") + emoji + emoji + QStringLiteral("c");
    for (const auto &pages : {TextPaginator::paginate(text, 35, 1, fixedWidth()),
                              TextPaginator::paginateSingleRow(text, 35, fixedWidth())}) {
        QCOMPARE(joined(text, pages), text);
        for (const auto &page : pages) {
            QVERIFY(!text.at(page.start).isLowSurrogate());
            for (const auto &line : page.lines)
                QVERIFY(!text.at(line.start).isLowSurrogate());
        }
    }
    // Too narrow for even one emoji: it still moves on whole.
    const auto narrow = TextPaginator::paginateSingleRow(emoji + emoji, 5, fixedWidth());
    QCOMPARE(TextPaginator::pageTexts(emoji + emoji, narrow), QStringList({emoji, emoji}));
}

void TestTextPaginator::eightEqualCharactersFourFillingGiveTwoPagesOfFour()
{
    const QString text = QStringLiteral("AAAAAAAA");
    const auto pages = TextPaginator::paginateSingleRow(text, 40, fixedWidth());
    QCOMPARE(TextPaginator::pageTexts(text, pages),
             QStringList({QStringLiteral("AAAA"), QStringLiteral("AAAA")}));
}

void TestTextPaginator::singleRowLastPageIsTheRest()
{
    const QString text = QStringLiteral("abcdefghij");
    const auto pages = TextPaginator::paginateSingleRow(text, 45, fixedWidth());
    QCOMPARE(TextPaginator::pageTexts(text, pages),
             QStringList({QStringLiteral("abcd"), QStringLiteral("efgh"), QStringLiteral("ij")}));
}

void TestTextPaginator::singleRowEmptyTextGivesNoPages()
{
    QVERIFY(TextPaginator::paginateSingleRow(QString(), 100, fixedWidth()).isEmpty());
}

void TestTextPaginator::singleRowNarrowRendererOneCharacterPerPage()
{
    const QString text = QStringLiteral("abc");
    QCOMPARE(TextPaginator::paginateSingleRow(text, 0, fixedWidth()).size(), 3);
}

QTEST_MAIN(TestTextPaginator)
#include "test_textpaginator.moc"
