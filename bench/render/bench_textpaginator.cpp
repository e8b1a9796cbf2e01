// Wall time of paginating a long mixed Latin and Chinese text with a real font, as the text
// renderer does when an item starts: 20 000 characters in a 640-pixel, 8-line renderer, then
// a text of 1 MiB (the importer's limit for a text item) in simple and single-row mode, with
// the time until the first page is known (what a renderer waits before it shows anything).
// Prints the median and the slowest of the runs.
// Run: bench_textpaginator [characters] [runs] [runs of the 1 MiB text]
#include "textcore/textpaginator.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
QString sampleText(int characters)
{
    QString text;
    const QString words = QStringLiteral("Lumora shows every character exactly once. \u4e2d\u6587 ");
    text.reserve(characters + words.size());
    while (text.size() < characters)
        text += words;
    text.truncate(characters);
    return text;
}

struct Figures
{
    std::vector<double> all;   // ms to paginate the whole text
    std::vector<double> first; // ms until the first page was cut
    int pages = 0;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double slowest(const std::vector<double> &v)
{
    return *std::max_element(v.begin(), v.end());
}

Figures run(const QString &text, bool singleRow, int runs, const TextPaginator::Measure &measure)
{
    Figures f;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        double first = -1;
        int pages = 0;
        const TextPaginator::PageSink sink = [&](const TextPaginator::Page &) {
            if (first < 0)
                first = timer.nsecsElapsed() / 1e6;
            ++pages;
            return true;
        };
        if (singleRow)
            TextPaginator::paginateSingleRow(text, 640, measure, sink);
        else
            TextPaginator::paginate(text, 640, 8, measure, sink);
        f.all.push_back(timer.nsecsElapsed() / 1e6);
        f.first.push_back(first);
        f.pages = pages;
    }
    return f;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int characters = argc > 1 ? qMax(1, atoi(argv[1])) : 20000;
    const int runs = argc > 2 ? qMax(1, atoi(argv[2])) : 20;
    const int longRuns = argc > 3 ? qMax(1, atoi(argv[3])) : 3;

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(16);
    const QFontMetricsF fm(font);
    const TextPaginator::Measure measure = [&fm](const QString &s) { return fm.horizontalAdvance(s); };

    const Figures normal = run(sampleText(characters), false, runs, measure);
    std::printf("paginated %d characters into %d pages of 8 lines, 640 px: median %.2f ms, slowest %.2f ms "
                "(%d runs)\n",
                characters, normal.pages, median(normal.all), slowest(normal.all), runs);

    const int mib = 1024 * 1024;
    const QString big = sampleText(mib);
    for (const bool singleRow : {false, true}) {
        const Figures f = run(big, singleRow, longRuns, measure);
        std::printf("1 MiB text (%d characters), %s, 640 px: %d pages; whole text median %.1f ms, "
                    "slowest %.1f ms; first page median %.3f ms, slowest %.3f ms (%d runs)\n",
                    mib, singleRow ? "single row" : "simple, 8 lines a page", f.pages, median(f.all),
                    slowest(f.all), median(f.first), slowest(f.first), longRuns);
    }
    return 0;
}
