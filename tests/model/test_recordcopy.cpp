// Deep copies of schedule records, the window presets' arithmetic and the naming of new
// segments: plain functions, checked without a window.
#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/recordcopy.h"
#include "model/segmentnaming.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "model/windowpreset.h"

#include <QtTest>

#include <memory>

class TestRecordCopy : public QObject
{
    Q_OBJECT

private slots:
    void aCopiedTimingSegmentOwnsItsTimePoints()
    {
        TimingObject original;
        original.timePoints << new TimePoint;
        original.timePoints[0]->time = QTime(12, 0);
        auto *page = new ProgramObject;
        auto *window = new CommonWinObject;
        window->media << new LumoraMediaObject;
        page->windows << window;
        original.programs << page;
        std::unique_ptr<TimingObject> copy(RecordCopy::copyOf(original));
        QCOMPARE(copy->timePoints.size(), 1);
        QVERIFY(copy->timePoints[0] != original.timePoints[0]);
        QVERIFY(copy->programs[0]->windows[0]->media[0] != window->media[0]);
        // The copy loses a point, the original keeps it (freed once each, no double free).
        delete copy->timePoints.takeFirst();
        QCOMPARE(original.timePoints.size(), 1);
        QCOMPARE(original.timePoints[0]->time, QTime(12, 0));
    }

    void presetsUseIntegerGeometry()
    {
        QCOMPARE(WindowPreset::apply(WindowPreset::HorizontalThird, QRect(40, 10, 200, 100), QSize(1000, 500)),
                 QRect(0, 10, 333, 100));
        QCOMPARE(WindowPreset::apply(WindowPreset::Center, QRect(0, 0, 300, 100), QSize(1000, 500)),
                 QRect(350, 200, 300, 100));
        QCOMPARE(WindowPreset::apply(WindowPreset::Bottom, QRect(5, 0, 300, 100), QSize(1000, 500)),
                 QRect(5, 400, 300, 100));
        // No preset puts a window larger than its display window at a negative position.
        const QRect large(10, 20, 1200, 800);
        const QSize display(1000, 500);
        for (int p = 0; p < WindowPreset::PositionCount + WindowPreset::SizeCount; ++p) {
            const QRect placed = WindowPreset::apply(WindowPreset::Preset(p), large, display);
            QVERIFY2(placed.x() >= 0 && placed.y() >= 0, qPrintable(QString::number(p)));
        }
        QCOMPARE(WindowPreset::apply(WindowPreset::Center, large, display), QRect(0, 0, 1200, 800));
        QCOMPARE(WindowPreset::apply(WindowPreset::Right, large, display), QRect(0, 20, 1200, 800));
    }

    void aNewSegmentNameIsNeverOneInUse()
    {
        const QStringList taken{QStringLiteral("General Segment2")};
        QCOMPARE(SegmentNaming::firstFree(QStringLiteral("General Segment"), 2, taken),
                 QStringLiteral("General Segment3"));
    }
};

QTEST_GUILESS_MAIN(TestRecordCopy)
#include "test_recordcopy.moc"
