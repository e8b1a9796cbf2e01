// Wall time of paginating a long mixed Latin and Chinese text with a real font, as the text
// renderer does when an item starts: 20 000 characters in a 640-pixel, 8-line renderer.
// Prints the median and the slowest of the runs.
// Run: bench_textpaginator [characters] [runs]
#include "textcore/textpaginator.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int characters = argc > 1 ? qMax(1, atoi(argv[1])) : 20000;
    const int runs = argc > 2 ? qMax(1, atoi(argv[2])) : 20;

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(16);
    const QFontMetricsF fm(font);
    const TextPaginator::Measure measure = [&fm](const QString &s) { return fm.horizontalAdvance(s); };
    QString text;
    const QString words = QStringLiteral("Lumora shows every character exactly once. \u4e2d\u6587 ");
    while (text.size() < characters)
        text += words;
    text.truncate(characters);

    std::vector<double> ms;
    int pages = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        pages = TextPaginator::paginate(text, 640, 8, measure).size();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("paginated %d characters into %d pages of 8 lines, 640 px: median %.2f ms, slowest %.2f ms "
                "(%d runs)\n",
                characters, pages, ms[ms.size() / 2], ms.back(), runs);
    return 0;
}
