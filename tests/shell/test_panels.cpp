// The property panels through the real main window: what an operator enters reaches the record
// and the screen, selecting only shows, the time-point dialog, media panels and play lock, and
// what the mouse wheel changes in the panels and dialogs.
#include "appcore/settings.h"
#include "appcore/translations.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "log/viewer/journalwin.h"
#include "modalwatcher.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/programobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "panels/mediapanel.h"
#include "panels/programpanel.h"
#include "panels/segmentpanel.h"
#include "panels/timingsegmentpanel.h"
#include "panels/timingsegmenttimepropertywin.h"
#include "panels/wheelguard.h"
#include "panels/windowpanel.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "render/textwidget.h"
#include "scriptedwidget.h"
#include "shell/displaywindowset.h"
#include "shell/prodoc.h"
#include "fitcheck.h"
#include "wheelturn.h"

#include <QCalendarWidget>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QColorDialog>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>
#include <functional>

namespace {
// A media panel as the real ones are made: it shows the item's text and stores an edit of it.
class TextTestPanel : public MediaPanel
{
public:
    TextTestPanel()
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(edit);
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) {
            media()->text.text = text;
            announce();
        });
    }
    QStringList kinds() const override
    {
        return {QStringLiteral("simpleText"), QStringLiteral("digitalClock")};
    }
    void setVideoRange(float seconds) override { range = seconds; }
    QLineEdit *edit = new QLineEdit(this);
    float range = -1;

protected:
    void fill(const LumoraMediaObject &media) override { edit->setText(media.text.text); }
    void retranslateUi() override {}
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Changes one field of `panel` as an operator would (a spin box stepped with the arrow key and
// confirmed, a check box clicked, a choice moved on, a line typed into), trying the fields in
// turn until `changed` says the scheme changed. False when no field changed it.
bool poke(QWidget *panel, const std::function<bool()> &changed)
{
    const auto usable = [](QWidget *w) { return w->isVisible() && w->isEnabled(); };
    for (QAbstractSpinBox *box : panel->findChildren<QAbstractSpinBox *>()) {
        if (!usable(box) || box->isReadOnly())
            continue;
        QTest::keyClick(box, Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::processEvents();
        if (changed())
            return true;
    }
    for (QCheckBox *check : panel->findChildren<QCheckBox *>()) {
        if (!usable(check))
            continue;
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
        QCoreApplication::processEvents();
        if (changed())
            return true;
    }
    for (QComboBox *combo : panel->findChildren<QComboBox *>()) {
        if (!usable(combo) || combo->count() < 2)
            continue;
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
        QCoreApplication::processEvents();
        if (changed())
            return true;
    }
    for (QLineEdit *line : panel->findChildren<QLineEdit *>()) {
        if (!usable(line) || line->isReadOnly() || qobject_cast<QAbstractSpinBox *>(line->parentWidget()))
            continue;
        line->end(false);
        QTest::keyClicks(line, QStringLiteral("x"));
        QTest::keyClick(line, Qt::Key_Return);
        QCoreApplication::processEvents();
        if (changed())
            return true;
    }
    return false;
}

// Turns the wheel up and down over every value control of `surface` (a panel or a dialog, on an
// active window) the operator is not in: none may take the focus or change, nor may `record`.
// Then the operator clicks into one that is enabled, and the wheel steps it. What went wrong,
// or nothing.
QString wheelAcross(const QString &surfaceName, QWidget *surface, const std::function<QByteArray()> &record)
{
    if (!QTest::qWaitForWindowActive(surface->window()))
        return surfaceName + QStringLiteral(": the window is not active");
    const QList<QWidget *> controls = valueControls(surface);
    if (controls.isEmpty())
        return surfaceName + QStringLiteral(": no value control");
    for (int i = 0; i < controls.size(); ++i) {
        QWidget *control = controls.at(i);
        const QString name = QStringLiteral("%1: %2 #%3 \"%4\"")
                                 .arg(surfaceName, QLatin1String(control->metaObject()->className()))
                                 .arg(i)
                                 .arg(control->objectName());
        if (control->hasFocus())
            control->clearFocus();
        const QString value = shownValue(control);
        const QByteArray before = record();
        for (int notches : {1, -1}) {
            bringIntoView(control);
            if (!turnWheelOver(control, notches))
                return name + QStringLiteral(": covered");
            QCoreApplication::processEvents();
            if (control->hasFocus())
                return name + QStringLiteral(": took the focus from the wheel");
            if (shownValue(control) != value)
                return name + QStringLiteral(": changed from %1 to %2").arg(value, shownValue(control));
            if (record() != before)
                return name + QStringLiteral(": changed the record");
        }
    }
    // Spin boxes first, choices last: stepped, a choice may open a file dialog.
    const auto order = [](QWidget *w) {
        return qobject_cast<QAbstractSpinBox *>(w) ? 0 : qobject_cast<QAbstractSlider *>(w) ? 1 : 2;
    };
    QList<QWidget *> steppable = controls;
    std::stable_sort(steppable.begin(), steppable.end(),
                     [order](QWidget *a, QWidget *b) { return order(a) < order(b); });
    for (QWidget *control : steppable) {
        auto *box = qobject_cast<QAbstractSpinBox *>(control);
        auto *slider = qobject_cast<QAbstractSlider *>(control);
        auto *combo = qobject_cast<QComboBox *>(control);
        if (!control->isEnabled() || (box && box->isReadOnly()) ||
            (slider && slider->minimum() == slider->maximum()) || (combo && combo->count() < 2))
            continue;
        // A click into a spin box's text, or onto a closed choice, leaves the focus with it.
        control->setFocus(Qt::MouseFocusReason);
        if (!control->hasFocus())
            return surfaceName + QStringLiteral(": %1 takes no focus").arg(control->objectName());
        const QString value = shownValue(control);
        for (int notches : {1, -1}) {
            bringIntoView(control);
            turnWheelOver(control, notches);
            if (shownValue(control) != value)
                return QString();
        }
        return surfaceName +
               QStringLiteral(": %1 in focus did not follow the wheel").arg(control->objectName());
    }
    return surfaceName + QStringLiteral(": no enabled value control");
}
} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private:
    ProjectTree *tree() const { return m_widget->treeOf(m_widget->currentDisplayName()); }
    ProjectTreeItem *node(const QList<int> &path) const
    {
        QTreeWidgetItem *item = tree()->rootItem();
        for (int index : path)
            item = item ? item->child(index) : nullptr;
        return static_cast<ProjectTreeItem *>(item);
    }
    void select(QTreeWidgetItem *item)
    {
        tree()->setCurrentTreeItem(static_cast<ProjectTreeItem *>(item));
        tree()->slotSelectItemChecked();
    }
    CommonWinObject *window() const { return tree()->allWindows().value(0); }
    QSpinBox *spin(const char *name) const { return m_widget->windowPanel()->findChild<QSpinBox *>(name); }
    // Types `value` into the spin box and confirms it with Enter, as an operator does.
    static void enter(QSpinBox *box, int value)
    {
        box->selectAll();
        QTest::keyClicks(box, QString::number(value));
        QTest::keyClick(box, Qt::Key_Return);
    }

    // The nodes whose panels addEveryKind() makes, by name and path from the root: the
    // schedule itself first.
    static QList<std::pair<QString, QList<int>>> nodePanels()
    {
        return {{QStringLiteral("schedule"), {}},       {QStringLiteral("general segment"), {0}},
                {QStringLiteral("cycle segment"), {1}}, {QStringLiteral("timing segment"), {2}},
                {QStringLiteral("page"), {0, 0}},       {QStringLiteral("window"), {0, 0, 0}}};
    }

    // A cycle and a timing segment beside the general one, whose hours and dates are in use
    // (so that their edits are enabled), and an item of every kind in the first window, the
    // video last: it is returned.
    LumoraMediaObject *addEveryKind()
    {
        tree()->addCycleSegmentSlot();
        tree()->addTimingSegmentSlot();
        GeneralObject *segment = tree()->generalSegments.first();
        segment->allDay = false;
        segment->fromTime = QTime(8, 0);
        segment->toTime = QTime(18, 0);
        segment->specifiedDate = true;
        select(node({0, 0, 0}));
        for (auto add : {&ProjectTree::addSimpleTextSlot, &ProjectTree::addSingleRowTextSlot,
                         &ProjectTree::addScrollingTextSlot, &ProjectTree::addAnalogClockSlot,
                         &ProjectTree::addDigitalClockSlot, &ProjectTree::addDigitalTimerSlot,
                         &ProjectTree::addWeatherSlot, &ProjectTree::addUrlSlot,
                         &ProjectTree::addStreamingSlot, &ProjectTree::addVideoDeviceSlot})
            (tree()->*add)();
        addPicture(window(), m_dir->filePath(QStringLiteral("p.png")), 5);
        LumoraMediaObject *video = addPicture(window(), m_dir->filePath(QStringLiteral("v.mp4")), 5);
        video->type = QStringLiteral("video");
        video->video.filePath = video->image.filePath;
        return video;
    }

private slots:
    void initTestCase()
    {
        // As start-up does.
        WheelGuard::guardApplication();
    }

    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        setApplicationDirectory(m_dir->path());
        appSettings() = AppSettings();
        m_watcher = new ModalWatcher;
        m_widget = new ScriptedWidget;
        m_widget->show();
    }

    void cleanup()
    {
        delete m_widget;
        delete m_watcher;
    }

    void geometryEnteredStaysOnTheDisplayWindowAndShowsAtOnce()
    {
        m_widget->displays()->current()->width = 1920;
        m_widget->displays()->current()->height = 1080;
        m_widget->screenOf(m_widget->currentDisplayName())->resize(1920, 1080);
        select(node({0, 0, 0}));
        QList<CommonWinObject *> changed;
        connect(m_widget, &Widget::sigCommonWinChanged, this,
                [&changed](CommonWinObject *w) { changed << w; });
        CommonPlayWindow *preview =
            m_widget->screenOf(m_widget->currentDisplayName())->findPlayWindow(window());
        QVERIFY(preview);
        enter(spin("heightSpin"), 300);
        enter(spin("widthSpin"), 800);
        enter(spin("xSpin"), 1500);
        QCOMPARE(QRect(window()->x, window()->y, window()->width, window()->height),
                 QRect(1500, 0, 420, 300));
        QCOMPARE(spin("widthSpin")->value(), 420);
        QCOMPARE(preview->geometry(), QRect(1500, 0, 420, 300));
        enter(spin("widthSpin"), 2000);
        QCOMPARE(QRect(window()->x, window()->y, window()->width, window()->height), QRect(0, 0, 1920, 300));
        enter(spin("xSpin"), 1918);
        QCOMPARE(window()->x, 1915);
        QCOMPARE(spin("xSpin")->value(), 1915);
        QCOMPARE(preview->geometry(), QRect(1915, 0, 5, 300));
        QCOMPARE(changed.size(), 5);
        QCOMPARE(changed.last(), window());

        // A display window narrower than the grab margin: the window starts at its left edge.
        m_widget->displays()->current()->width = 4;
        select(node({0, 0}));
        select(node({0, 0, 0}));
        enter(spin("xSpin"), 3);
        QCOMPARE(window()->x, 0);
        QCOMPARE(window()->width, 4);
    }

    void selectingEveryNodeOfALoadedSchemeChangesNothing()
    {
        tree()->addCycleSegmentSlot();
        tree()->addTimingSegmentSlot();
        auto *point = new TimePoint;
        point->time = QTime(8, 30);
        point->weekdays = QStringList{QStringLiteral("Monday"), QStringLiteral("Friday")};
        tree()->timingSegments.first()->timePoints << point;
        addPicture(window(), QStringLiteral("/x.png"), 3)->image.stayTime = 0;
        // and an item of every other kind, each panel shown once below
        LumoraMediaObject *video = addPicture(window(), QStringLiteral("/x.mp4"), 3);
        video->type = QStringLiteral("video");
        video->video.filePath = QStringLiteral("/x.mp4");
        addPicture(window(), QStringLiteral("/x.docx"), 3)->type = QStringLiteral("office");
        select(node({0, 0, 0}));
        for (auto add : {&ProjectTree::addSimpleTextSlot, &ProjectTree::addSingleRowTextSlot,
                         &ProjectTree::addScrollingTextSlot, &ProjectTree::addAnalogClockSlot,
                         &ProjectTree::addDigitalClockSlot, &ProjectTree::addDigitalTimerSlot,
                         &ProjectTree::addWeatherSlot, &ProjectTree::addUrlSlot, &ProjectTree::addStreamingSlot,
                         &ProjectTree::addVideoDeviceSlot})
            (tree()->*add)();
        QCOMPARE(window()->media.size(), 13);
        tree()->cycleSegments.first()->playEvery = 45;
        // Below what the control offers: shown as stored, not as its minimum.
        tree()->generalSegments.first()->programs.first()->playTimes = 0;
        window()->x = 12;
        const QString saved = m_dir->filePath(QStringLiteral("a.schx"));
        const QString loaded = m_dir->filePath(QStringLiteral("b.schx"));
        const QString again = m_dir->filePath(QStringLiteral("c.schx"));
        QVERIFY(m_widget->saveSchemeFile(saved, false));
        QVERIFY(m_widget->openSchemeFile(saved, false));
        QVERIFY(m_widget->saveSchemeFile(loaded, false));

        QList<QTreeWidgetItem *> items{tree()->rootItem()};
        for (int i = 0; i < items.size(); ++i) {
            for (int c = 0; c < items.at(i)->childCount(); ++c)
                items << items.at(i)->child(c);
            select(items.at(i));
            if (static_cast<ProjectTreeItem *>(items.at(i))->kind() == QLatin1String("generalwin")) {
                // Every item shows in the panel of its kind.
                for (int row = 0; row < window()->media.size(); ++row) {
                    m_widget->windowPanel()->selectMediaRow(row);
                    QVERIFY(m_widget->shownMediaPanel());
                    QVERIFY(m_widget->shownMediaPanel()->kinds().contains(window()->media.at(row)->type));
                    QCOMPARE(m_widget->shownMediaPanel()->media(), window()->media.at(row));
                }
                m_widget->windowPanel()->selectMediaRow(0);
            }
            // Each panel shows its record's values.
            const QString kind = static_cast<ProjectTreeItem *>(items.at(i))->kind();
            if (kind == QLatin1String("cycleSegment"))
                QCOMPARE(m_widget->shownPanel()->findChild<QSpinBox *>()->value(), 45);
            if (kind == QLatin1String("program"))
                QCOMPARE(m_widget->shownPanel()->findChild<QSpinBox *>()->value(), 0);
            if (kind == QLatin1String("generalwin"))
                QCOMPARE(spin("xSpin")->value(), 12);
        }
        QCOMPARE(items.size(), 6);
        QVERIFY(m_widget->saveSchemeFile(again, false));
        QCOMPARE(readAll(again), readAll(loaded));

        // The time points of a loaded scheme show, though their texts are not in the file.
        select(node({2}));
        QCOMPARE(m_widget->shownPanel(), m_widget->timingSegmentPanel());
        QTableWidget *table = m_widget->timingSegmentPanel()->timePointTable();
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("[08:30] [Monday,Friday]"));
        // ... and are made again in the language the operator switches to.
        QVERIFY(installTranslations(0));
        QTRY_COMPARE(table->item(0, 0)->text(), QStringLiteral("[08:30] [星期一,星期五]"));
        QVERIFY(installTranslations(2));
        QTRY_COMPARE(table->item(0, 0)->text(), QStringLiteral("[08:30] [Monday,Friday]"));
    }

    void aPageBackgroundChosenShowsUnderItsWindows()
    {
        // The first window fills the display window; made narrower, it leaves the page in view.
        select(node({0, 0, 0}));
        QSpinBox *width = m_widget->windowPanel()->findChild<QSpinBox *>(QStringLiteral("widthSpin"));
        QVERIFY(width && width->isVisible());
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("100"));
        QTest::keyClick(width, Qt::Key_Return);
        select(node({0, 0}));
        ProgramObject *page = tree()->generalSegments.first()->programs.first();
        QList<ProgramObject *> changed;
        connect(m_widget, &Widget::sigProgramChanged, this, [&changed](ProgramObject *p) { changed << p; });
        m_watcher->dialogHandlers << [](QWidget *shown) {
            auto *dialog = qobject_cast<QColorDialog *>(shown);
            QVERIFY(dialog);
            dialog->setCurrentColor(QColor(0, 0, 200));
            dialog->accept();
        };
        m_widget->programPanel()->findChild<QPushButton *>(QStringLiteral("colorButton"))->click();
        QVERIFY(m_watcher->answered());
        QCOMPARE(page->backgroundColor, QColor(0, 0, 200));
        QCOMPARE(changed, QList<ProgramObject *>({page}));
        MainPlayBKLabel *screen = m_widget->screenOf(m_widget->currentDisplayName());
        QTRY_COMPARE(screen->grab().toImage().pixelColor(screen->width() - 2, screen->height() - 2),
                     QColor(0, 0, 200));
    }

    void aDateRangeEndingBeforeItBeginsIsRefused()
    {
        select(node({0}));
        GeneralObject *segment = tree()->generalSegments.first();
        SegmentPanel *panel = m_widget->segmentPanel();
        panel->findChild<QCheckBox *>()->setChecked(true);
        QVERIFY(segment->specifiedDate);
        const QDate today = QDate::currentDate();
        auto pick = [panel](void (SegmentPanel::*button)(), const QDate &day) {
            (panel->*button)();
            emit panel->calendar()->clicked(day);
        };
        pick(&SegmentPanel::slotSegmentToDateSelect, today.addDays(30));
        pick(&SegmentPanel::slotSegmentFromDateSelect, today.addDays(10));
        pick(&SegmentPanel::slotSegmentToDateSelect, today.addDays(5));
        QCOMPARE(segment->fromDate, today.addDays(10));
        QCOMPARE(segment->toDate, today.addDays(30));
        QCOMPARE(panel->findChildren<QDateEdit *>().at(1)->date(), today.addDays(30));
    }

    void timePointsAreAddedEditedAndDeletedThroughTheDialog()
    {
        tree()->addTimingSegmentSlot();
        select(node({1}));
        TimingObject *timing = tree()->timingSegments.first();
        QTableWidget *table = m_widget->timingSegmentPanel()->timePointTable();
        TimingSegmentTimePropertyWin *dialog = m_widget->timePointWin();
        auto answer = [](bool ok, const QTime &time, const QList<int> &days) {
            return [ok, time, days](QWidget *shown) {
                auto *d = qobject_cast<TimingSegmentTimePropertyWin *>(shown);
                QVERIFY(d);
                d->timeEdit()->setTime(time);
                for (int i = 0; i < 7; ++i)
                    d->dayBoxes().at(i)->setChecked(days.contains(i));
                // The one dialog comes back for every command: the watcher is to answer it again.
                d->setProperty("watcherHandled", false);
                if (ok)
                    d->okButton()->click();
                else
                    QTest::keyClick(d, Qt::Key_Escape);
            };
        };
        m_watcher->dialogHandlers << answer(true, QTime(8, 30), {0, 4});
        m_widget->slotTimingSegmentAdd();
        QVERIFY(m_watcher->answered());
        QCOMPARE(timing->timePoints.size(), 1);
        QCOMPARE(timing->timePoints.at(0)->time, QTime(8, 30));
        QCOMPARE(timing->timePoints.at(0)->weekdays, QStringList({"Monday", "Friday"}));
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("[08:30] [Monday,Friday]"));

        // Esc after an earlier "ok" adds nothing.
        m_watcher->dialogHandlers << answer(false, QTime(9, 0), {});
        m_widget->slotTimingSegmentAdd();
        QVERIFY(m_watcher->answered());
        QCOMPARE(timing->timePoints.size(), 1);
        QCOMPARE(dialog->resultFlag(), 1);

        // Edit: the dialog opens with the point's days; Esc keeps the point.
        table->setCurrentCell(0, 0);
        m_watcher->dialogHandlers << [](QWidget *shown) {
            auto *d = qobject_cast<TimingSegmentTimePropertyWin *>(shown);
            QVERIFY(d);
            QList<bool> checked;
            for (QCheckBox *box : d->dayBoxes())
                checked << box->isChecked();
            d->setProperty("watcherHandled", false);
            QTest::keyClick(d, Qt::Key_Escape);
            QCOMPARE(checked, QList<bool>({true, false, false, false, true, false, false}));
        };
        m_widget->slotTimingSegmentEdit();
        QVERIFY(m_watcher->answered());
        m_watcher->dialogHandlers << answer(true, QTime(21, 5), {0, 1, 2, 3, 4, 5, 6});
        m_widget->slotTimingSegmentEdit();
        QVERIFY(m_watcher->answered());
        QCOMPARE(timing->timePoints.size(), 1);
        QCOMPARE(timing->timePoints.at(0)->weekdays.size(), 7);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("[21:05]"));

        m_watcher->answers << QMessageBox::Yes;
        m_widget->slotTimingSegmentDel();
        QVERIFY(m_watcher->answered());
        QCOMPARE(m_watcher->messages.last(),
                 QStringLiteral("info|Are you sure to delete the selected time point?"));
        QVERIFY(timing->timePoints.isEmpty());
        QCOMPARE(table->rowCount(), 0);
    }

    void mediaPanelChangesAreAnnouncedAndPreviewed()
    {
        auto *panel = new TextTestPanel;
        m_widget->addMediaPanel(panel);
        window()->width = 200;
        window()->height = 100;
        select(node({0, 0, 0}));
        tree()->addSimpleTextSlot();
        LumoraMediaObject *item = window()->media.value(0);
        QVERIFY(item);
        QCOMPARE(m_widget->shownMediaPanel(), panel);
        QCOMPARE(panel->media(), item);
        MainPlayBKLabel *screen = m_widget->screenOf(m_widget->currentDisplayName());
        CommonPlayWindow *preview = screen->findPlayWindow(window());
        QCOMPARE(preview->previewedItem(), item);

        QList<int> changed;
        connect(m_widget, &Widget::sigLumoraMediaChanged, this, [&changed](int row) { changed << row; });
        panel->edit->setText(QStringLiteral("Opening soon"));
        QCOMPARE(item->text.text, QStringLiteral("Opening soon"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0), 0);
        QCOMPARE(preview->textRenderer->text, QStringLiteral("Opening soon"));

        // The previewed video's length reaches the panel outside real play only.
        screen->slotSetVideoRange(12.5);
        QCOMPARE(panel->range, 12.5f);
        screen->realPlayMode = true;
        screen->slotSetVideoRange(30);
        QCOMPARE(panel->range, 12.5f);
        screen->realPlayMode = false;

        // A clock's colour background shows as soon as it is stored.
        tree()->addDigitalClockSlot();
        LumoraMediaObject *clock = window()->media.value(1);
        QCOMPARE(panel->media(), clock);
        clock->digitalClock.background.backgroundColor = QColor(200, 0, 0);
        panel->edit->setText(QStringLiteral("red"));
        QCOMPARE(preview->previewedItem(), clock);
        QTRY_COMPARE(preview->grab().toImage().pixelColor(6, 6), QColor(200, 0, 0));

        m_widget->windowPanel()->selectMediaRow(-1);
        QCOMPARE(m_widget->shownMediaPanel(), nullptr);
        QVERIFY(panel->isHidden());
    }

    // A change in every node panel and in every media kind's panel is one undo step each:
    // undone one by one, the scheme is each time what it was, down to the saved file; redone,
    // each time what the change made. The play windows follow.
    void aChangeInEveryPanelIsUndoneAndRedoneStepByStep()
    {
        tree()->addCycleSegmentSlot();
        tree()->addTimingSegmentSlot();
        select(node({0, 0, 0}));
        const QList<void (ProjectTree::*)()> adders{
            &ProjectTree::addSimpleTextSlot,   &ProjectTree::addSingleRowTextSlot, &ProjectTree::addScrollingTextSlot,
            &ProjectTree::addAnalogClockSlot,  &ProjectTree::addDigitalClockSlot,  &ProjectTree::addDigitalTimerSlot,
            &ProjectTree::addWeatherSlot,      &ProjectTree::addUrlSlot,           &ProjectTree::addStreamingSlot,
            &ProjectTree::addVideoDeviceSlot};
        for (auto add : adders)
            (tree()->*add)();
        addPicture(window(), m_dir->filePath(QStringLiteral("p.png")), 5);
        auto *video = new LumoraMediaObject;
        video->type = QStringLiteral("video");
        video->video.filePath = m_dir->filePath(QStringLiteral("v.mp4"));
        video->displayWindowName = window()->displayWindowName;
        video->segmentName = window()->segmentName;
        video->programName = window()->programName;
        video->windowName = window()->name;
        window()->media.append(video);
        const int items = window()->media.size();
        QCOMPARE(items, 12);
        QCoreApplication::processEvents();
        const QString path = m_dir->filePath(QStringLiteral("panels.schx"));
        m_widget->savePaths << path;
        m_widget->slotSaveAsDoc();
        Prodoc *doc = m_widget->prodoc();
        QList<QByteArray> states{readAll(path)};
        QCOMPARE(doc->encoded(), states.first());

        QList<std::pair<QString, std::function<QWidget *()>>> targets{
            {QStringLiteral("general segment"), [this] { select(node({0})); return m_widget->shownPanel(); }},
            {QStringLiteral("cycle segment"), [this] { select(node({1})); return m_widget->shownPanel(); }},
            {QStringLiteral("timing segment"), [this] { select(node({2})); return m_widget->shownPanel(); }},
            {QStringLiteral("page"), [this] { select(node({0, 0})); return m_widget->shownPanel(); }},
            {QStringLiteral("window"), [this] { select(node({0, 0, 0})); return m_widget->shownPanel(); }}};
        for (int row = 0; row < items; ++row) {
            targets.append({window()->media.at(row)->type, [this, row]() -> QWidget * {
                                select(node({0, 0, 0}));
                                m_widget->windowPanel()->selectMediaRow(row);
                                return m_widget->shownMediaPanel();
                            }});
        }
        for (const auto &target : targets) {
            QWidget *panel = target.second();
            QVERIFY2(panel && panel->isVisible(), qPrintable(target.first));
            QVERIFY2(poke(panel, [&] { return doc->encoded() != states.last(); }), qPrintable(target.first));
            QTRY_VERIFY2(doc->canUndo() && !doc->canRedo(), qPrintable(target.first));
            states << doc->encoded();
        }
        for (int i = states.size() - 2; i >= 0; --i) {
            m_widget->slotUndo();
            QVERIFY2(doc->encoded() == states.at(i), qPrintable(targets.at(i).first));
        }
        QCOMPARE(doc->encoded(), readAll(path));
        QVERIFY(!doc->isModified());
        QCOMPARE(window()->media.size(), items);
        QVERIFY(m_widget->screenOf(m_widget->currentDisplayName())->findPlayWindow(window()));
        for (int i = 1; i < states.size(); ++i) {
            m_widget->slotRedo();
            QVERIFY2(doc->encoded() == states.at(i), qPrintable(targets.at(i - 1).first));
        }
        QVERIFY(!doc->canRedo());
        QVERIFY(m_widget->screenOf(m_widget->currentDisplayName())->findPlayWindow(window()));
    }

    // Scrolling across any panel or dialog changes nothing in it: the wheel steps only the spin
    // box, choice, date, time or slider the operator is in.
    void theWheelStepsOnlyTheControlTheOperatorIsIn()
    {
        LumoraMediaObject *video = addEveryKind();
        video->video.coverTextEnabled = true;
        QCoreApplication::processEvents();
        m_widget->activateWindow();
        Prodoc *doc = m_widget->prodoc();
        const auto record = [doc] { return doc->encoded(); };

        const QList<std::pair<QString, QList<int>>> nodes = nodePanels().mid(1);
        for (const auto &target : nodes) {
            select(node(target.second));
            QWidget *panel = m_widget->shownPanel();
            QVERIFY2(panel && panel->isVisible(), qPrintable(target.first));
            const QString failure = wheelAcross(target.first, panel, record);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }
        QStringList kinds;
        for (int row = 0; row < window()->media.size(); ++row) {
            select(node({0, 0, 0}));
            m_widget->windowPanel()->selectMediaRow(row);
            MediaPanel *panel = m_widget->shownMediaPanel();
            const QString kind = window()->media.at(row)->type;
            QVERIFY2(panel && panel->isVisible(), qPrintable(kind));
            kinds << kind;
            const QString failure = wheelAcross(kind, panel, record);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }
        QCOMPARE(kinds.size(), 12);

        // The dialogs: each walked as it shows, then left without taking anything.
        QString failure;
        const auto walkAndLeave = [&failure, record](const QString &name) {
            return [&failure, record, name](QWidget *shown) {
                shown->activateWindow();
                failure = wheelAcross(name, shown, record);
                QTest::keyClick(shown, Qt::Key_Escape);
            };
        };
        select(node({2}));
        m_watcher->dialogHandlers << walkAndLeave(QStringLiteral("time point"));
        m_widget->slotTimingSegmentAdd();
        QVERIFY(m_watcher->answered());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        m_watcher->dialogHandlers << walkAndLeave(QStringLiteral("display window"));
        m_widget->slotDisplayWindowSetting();
        QVERIFY(m_watcher->answered());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        select(node({0, 0, 0}));
        m_widget->windowPanel()->selectMediaRow(window()->media.indexOf(video));
        auto *coverEdit =
            m_widget->shownMediaPanel()->findChild<QPushButton *>(QStringLiteral("videoCoverEdit"));
        QVERIFY(coverEdit && coverEdit->isEnabled());
        m_watcher->dialogHandlers << walkAndLeave(QStringLiteral("video text"));
        coverEdit->click();
        QVERIFY(m_watcher->answered());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        m_widget->slotShowJournal();
        failure = wheelAcross(QStringLiteral("play log"), m_widget->journalWindow(), record);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        m_widget->journalWindow()->hide();
    }

    // At the main window's default size, in either language, every panel shows its texts
    // whole and every control within the panel.
    void everyPanelFitsTheMainWindowInBothLanguages()
    {
        addEveryKind();
        QCOMPARE(m_widget->size(), QSize(Widget::NormalWidth, Widget::NormalHeight));

        QStringList problems;
        for (int language : {0, 1}) {
            QVERIFY(installTranslations(language));
            const QString in = language == 0 ? QStringLiteral("Chinese") : QStringLiteral("English");
            const auto walk = [&](const QString &name, QWidget *panel) {
                QVERIFY2(panel && panel->isVisible(), qPrintable(name));
                // The layouts take the new texts in before anything is measured.
                for (int i = 0; i < 3; ++i)
                    QCoreApplication::processEvents();
                problems << fitProblems(in + QLatin1Char(' ') + name, panel);
            };
            const QList<std::pair<QString, QList<int>>> nodes = nodePanels();
            for (const auto &target : nodes) {
                select(node(target.second));
                walk(target.first, m_widget->shownPanel());
            }
            for (int row = 0; row < window()->media.size(); ++row) {
                select(node({0, 0, 0}));
                m_widget->windowPanel()->selectMediaRow(row);
                walk(window()->media.at(row)->type, m_widget->shownMediaPanel());
            }
            problems << fitProblems(in + QStringLiteral(" main window"), m_widget);
        }
        installTranslations(0);
        for (const QString &problem : qAsConst(problems))
            qInfo("%s", qPrintable(problem));
        QCOMPARE(problems.size(), 0);
    }

    void panelsRefuseChangesWhileTheScheduleEditedPlays()
    {
        addPicture(window(), QStringLiteral("/x.png"), 3);
        select(node({0, 0, 0}));
        const int x = window()->x;
        m_widget->slotOverallPlay();
        QTRY_VERIFY(!m_widget->windowPanel()->isEnabled());
        spin("xSpin")->setValue(x + 40);
        QCOMPARE(window()->x, x);
        QCOMPARE(spin("xSpin")->value(), x);
        m_widget->slotOverallStop();
        QTRY_VERIFY(m_widget->windowPanel()->isEnabled());
    }

private:
    QScopedPointer<QTemporaryDir> m_dir;
    ModalWatcher *m_watcher = nullptr;
    ScriptedWidget *m_widget = nullptr;
};

QTEST_MAIN(TestPanels)
#include "test_panels.moc"
