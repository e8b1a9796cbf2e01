// Writes a scheme whose one window shows the given files as pictures, for the fleet benchmark:
// bundles of a known size. Prints the scheme's path.
//
// Usage: bench_fleet_scheme OUT.schx FILE...
#include "model/commonwinobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemewriter.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fputs("usage: bench_fleet_scheme OUT.schx FILE...\n", stderr);
        return 2;
    }
    Scheme scheme;
    scheme.displayWindowCounter = 1;
    Scheme::DisplayWindow &display = scheme.addDisplayWindow();
    display.window.name = QStringLiteral("Bench");
    auto *segment = new GeneralObject;
    segment->name = QStringLiteral("General Segment1");
    segment->displayWindowName = display.window.name;
    segment->programCounter = 1;
    display.schedule.generalSegments.append(segment);
    auto *page = new ProgramObject;
    page->name = QStringLiteral("Program1");
    page->segmentName = segment->name;
    page->displayWindowName = display.window.name;
    page->windowCounter = 1;
    page->playMode = ProgramObject::Loop;
    segment->programs.append(page);
    auto *window = new CommonWinObject;
    window->name = QStringLiteral("Common Window1");
    window->programName = page->name;
    window->segmentName = segment->name;
    window->displayWindowName = display.window.name;
    window->segmentKind = QStringLiteral("generalSegment");
    window->width = 200;
    window->height = 200;
    page->windows.append(window);
    for (const QString &file : args.mid(1)) {
        auto *item = new LumoraMediaObject;
        item->type = QStringLiteral("image");
        item->image.filePath = QFileInfo(file).absoluteFilePath();
        window->media.append(item);
    }
    QString error;
    if (!SchemeWriter::save(args.first(), scheme, &error)) {
        std::fprintf(stderr, "bench_fleet_scheme: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(QFileInfo(args.first()).absoluteFilePath()));
    return 0;
}
