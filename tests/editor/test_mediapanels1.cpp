// The property panels of pictures, videos, texts, count timers and streams: what showing an item
// leaves untouched, what the operator's input stores and announces, the video seek slider, and
// the wheel across a panel.
#include "../shell/wheelturn.h"
#include "model/lumoramediaobject.h"
#include "model/mediabody.h"
#include "panels/mediapanel.h"
#include "panels/mediapanels.h"
#include "panels/wheelguard.h"
#include "textcore/backgroundstyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyleOptionSlider>
#include <QTimeEdit>
#include <QtTest>

Q_DECLARE_METATYPE(LumoraMediaObject *)

namespace {

// Every field of every group, as text: a panel that stores anything, anywhere in the item, shows
// up as a difference.
class Snapshot
{
public:
    QStringList lines;
    void int32(const char *name, qint32 value) { add(name, QString::number(value)); }
    void int32Flag(const char *name, bool value) { add(name, QString::number(value)); }
    void boolean(const char *name, bool value) { add(name, value ? "true" : "false"); }
    void text(const char *name, const QString &value) { add(name, value); }
    void colour(const char *name, const QColor &value) { add(name, value.name()); }
    void time(const char *name, const QTime &value) { add(name, value.toString("HH:mm:ss")); }
    void timeMs(const char *name, const QTime &value) { add(name, value.toString("HH:mm:ss.zzz")); }

private:
    void add(const char *name, const QString &value) { lines << QString::fromLatin1(name) + '=' + value; }
};

QStringList snapshot(const LumoraMediaObject &m)
{
    Snapshot s;
    using G = MediaBody::Group;
    for (G group : {G::Video, G::Image, G::AnalogClock, G::DigitalClock, G::CountTimer, G::Text, G::Url,
                    G::VideoDevice, G::Streaming, G::Weather})
        MediaBody::visit(s, group, m);
    return s.lines + QStringList{m.type};
}

// Items whose every shown field differs from its default, some beyond what the controls offer.
LumoraMediaObject pictureItem()
{
    LumoraMediaObject m;
    m.type = "image";
    m.image.filePath = "/media/hall.png";
    m.image.backgroundIsColor = false;
    m.image.backgroundImage = "/media/back.jpg";
    m.image.backgroundImageStyle = 0;
    m.image.backgroundMusic = "/media/tune.mp3";
    m.image.exitEffectEnabled = true;
    m.image.entryEffect = 17;
    m.image.exitEffect = 9;
    m.image.entrySpeed = 3;
    m.image.exitSpeed = 10;
    m.image.scaleType = 1;
    m.image.stayTime = 0; // below the offered 1
    m.image.transparency = 4;
    m.image.rotation = 3;
    return m;
}

LumoraMediaObject videoItem()
{
    LumoraMediaObject m;
    m.type = "video";
    m.video.filePath = "/media/clip.mp4";
    m.video.volume = 0;
    m.video.totalLength = QTime(0, 1, 5, 500);
    m.video.clipEnabled = true;
    m.video.clipStart = QTime(0, 0, 10);
    m.video.clipEnd = QTime(0, 0, 20);
    m.video.scaleType = 1;
    m.video.rotation = 2;
    m.video.backgroundColor = QColor(1, 2, 3);
    m.video.coverTextEnabled = true;
    m.video.coverText = "Welcome";
    m.video.coverFontSize = 900; // beyond the offered sizes
    m.video.coverRolling = true;
    m.video.coverRollSpeed = 0;
    return m;
}

LumoraMediaObject textItem(const QString &type)
{
    LumoraMediaObject m;
    m.type = type;
    m.text.text = "Line one\nLine two";
    m.text.fontFamily = "No Such Family";
    m.text.fontSize = 2000;
    m.text.italic = true;
    m.text.textColor = QColor(0, 200, 255);
    m.text.colorful = 5;
    m.text.backgroundColor = QColor(10, 20, 30);
    m.text.backgroundTransparent = true;
    m.text.entryEffectEnabled = true;
    m.text.entryEffect = 4;
    m.text.exitSpeed = 700;
    m.text.horizontalAlign = 2;
    m.text.verticalAlign = 1;
    m.text.lineSpacing = 7;
    m.text.letterSpacing = 600;
    m.text.stayTime = 0;
    m.text.playToEnd = false;
    m.text.playDuration = QTime(0, 2, 0);
    m.text.rollDirection = 1;
    m.text.endToEnd = true;
    m.text.cycleInterval = 150;
    m.text.rollSpeed = 12;
    return m;
}

LumoraMediaObject countTimerItem()
{
    LumoraMediaObject m;
    m.type = "digitalTimer";
    m.countTimer.background.backgroundColor = QColor(0, 0, 90);
    m.countTimer.background.backgroundImageStyle = 2;
    m.countTimer.transparency = 20;
    m.countTimer.countUp = 1;
    m.countTimer.length = QTime(1, 30, 0);
    m.countTimer.numberColor = QColor(0, 255, 0);
    return m;
}

LumoraMediaObject streamItem()
{
    LumoraMediaObject m;
    m.type = "streaming";
    m.streaming.address = "rtmp://10.0.0.5/live/hall";
    m.streaming.volume = 130;
    m.streaming.length = QTime(0, 45, 0);
    return m;
}

} // namespace

class TestMediaPanels1 : public QObject
{
    Q_OBJECT

private:
    QWidget m_host;
    QList<MediaPanel *> m_panels;

    MediaPanel *panelFor(const QString &type)
    {
        for (MediaPanel *panel : qAsConst(m_panels)) {
            if (panel->kinds().contains(type))
                return panel;
        }
        return nullptr;
    }

    // Shows `item` in its panel on screen, as the main window does when it is selected.
    MediaPanel *show(LumoraMediaObject &item, int row)
    {
        for (MediaPanel *panel : qAsConst(m_panels))
            panel->hide();
        MediaPanel *panel = panelFor(item.type);
        if (!panel)
            return nullptr;
        panel->showMedia(&item, row);
        panel->show();
        return panel;
    }

    template<class W> W *control(MediaPanel *panel, const char *name)
    {
        W *w = panel->findChild<W *>(QLatin1String(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<LumoraMediaObject *>();
        // As start-up does.
        WheelGuard::guardApplication();
        m_host.resize(700, 560);
        m_panels = createMediaPanels(&m_host);
        for (MediaPanel *panel : qAsConst(m_panels))
            panel->resize(m_host.size());
        m_host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_host));
        m_host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_host));
    }

    // Selecting an item, or one item after another of the same kind, changes nothing in either,
    // whatever their values (also ones outside a control's range).
    void showingItemsWritesNothing()
    {
        QList<LumoraMediaObject> items{pictureItem(),
                                       videoItem(),
                                       textItem("simpleText"),
                                       textItem("singleRowText"),
                                       textItem("scrollingText"),
                                       textItem("txt"),
                                       countTimerItem(),
                                       streamItem()};
        items[0].type = "office";
        items << pictureItem();
        for (LumoraMediaObject &item : items) {
            LumoraMediaObject plain; // defaults, shown before and after the item
            plain.type = item.type;
            const QStringList before = snapshot(item);
            const QStringList plainBefore = snapshot(plain);
            MediaPanel *panel = panelFor(item.type);
            QVERIFY2(panel, qPrintable(item.type));
            QSignalSpy announced(panel, &MediaPanel::sigLumoraMediaChanged);
            QSignalSpy seeks(panel, &MediaPanel::sigVideoSeek);
            show(plain, 0);
            show(item, 1);
            show(plain, 0);
            show(item, 1);
            QCoreApplication::processEvents();
            QCOMPARE(snapshot(item), before);
            QCOMPARE(snapshot(plain), plainBefore);
            QCOMPARE(announced.count(), 0);
            QCOMPARE(seeks.count(), 0);
        }
    }

    void pictureControlsStoreAndAnnounce()
    {
        LumoraMediaObject item = pictureItem();
        MediaPanel *panel = show(item, 4);
        QVERIFY(panel);
        QSignalSpy announced(panel, &MediaPanel::sigLumoraMediaChanged);
        auto *entryBox = control<QCheckBox>(panel, "imageEntryBox");
        auto *entryStyle = control<QComboBox>(panel, "imageEntryStyle");
        QVERIFY(entryBox && entryStyle);
        QCOMPARE(entryStyle->currentIndex(), 17);
        QVERIFY(!entryStyle->isEnabled());
        QTest::mouseClick(entryBox, Qt::LeftButton, {}, QPoint(6, entryBox->height() / 2));
        QVERIFY(item.image.entryEffectEnabled);
        QVERIFY(entryStyle->isEnabled());
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.last().at(0).toInt(), 4);
        QCOMPARE(announced.last().at(1).value<LumoraMediaObject *>(), &item);

        entryStyle->setFocus();
        QTest::keyClick(entryStyle, Qt::Key_Up);
        QCOMPARE(item.image.entryEffect, 16);
        QCOMPARE(announced.count(), 2);

        auto *stay = control<QSpinBox>(panel, "imageStayTime");
        QVERIFY(stay);
        QCOMPARE(stay->value(), 0);
        stay->setValue(42);
        QCOMPARE(item.image.stayTime, 42);
        QCOMPARE(announced.count(), 3);
        auto *rotation = control<QComboBox>(panel, "imageRotation");
        QVERIFY(rotation);
        rotation->setFocus();
        QTest::keyClick(rotation, Qt::Key_Up);
        QCOMPARE(item.image.rotation, 2);
        QCOMPARE(announced.count(), 4);
        // Back to a colour background: the colour can be chosen again, the layout no longer.
        auto *source = control<QComboBox>(panel, "backgroundSource");
        auto *style = control<QComboBox>(panel, "backgroundStyle");
        QVERIFY(source && style);
        QCOMPARE(source->currentText(), QStringLiteral("/media/back.jpg"));
        QVERIFY(style->isEnabled());
        source->setFocus();
        QTest::keyClick(source, Qt::Key_Home);
        QVERIFY(item.image.backgroundIsColor);
        QCOMPARE(item.image.backgroundImage, QStringLiteral("/media/back.jpg"));
        QVERIFY(!style->isEnabled());
        QCOMPARE(announced.count(), 5);
    }

    // A panel too short for its rows scrolls under the wheel, also where the pointer is over a
    // box the operator is not in, which keeps its value; once the operator is in it, the wheel
    // steps the box and stores the step.
    void theWheelScrollsThePanelAcrossABoxUntilTheOperatorIsInIt()
    {
        LumoraMediaObject item = pictureItem();
        item.image.stayTime = 10;
        MediaPanel *panel = show(item, 4);
        QVERIFY(panel);
        panel->resize(m_host.width(), 160);
        QCoreApplication::processEvents();
        QSignalSpy announced(panel, &MediaPanel::sigLumoraMediaChanged);
        QScrollBar *scroll = panel->findChild<QScrollArea *>()->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        auto *stay = control<QSpinBox>(panel, "imageStayTime");
        QVERIFY(stay && !stay->hasFocus());
        bringIntoView(stay);
        const int before = scroll->value();
        // Away from the end it is at, if any.
        const int notches = before > 0 ? 1 : -1;
        QVERIFY(turnWheelOver(stay, notches));
        QVERIFY(scroll->value() != before);
        QCOMPARE(scroll->value() < before, notches > 0);
        QVERIFY(!stay->hasFocus());
        QCOMPARE(stay->value(), 10);
        QCOMPARE(item.image.stayTime, 10);
        QCOMPARE(announced.count(), 0);

        stay->setFocus(Qt::MouseFocusReason);
        bringIntoView(stay);
        const int kept = scroll->value();
        QVERIFY(turnWheelOver(stay, 1));
        QCOMPARE(stay->value(), 11);
        QCOMPARE(item.image.stayTime, 11);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(scroll->value(), kept);
        panel->resize(m_host.size());
    }

    void textControlsStoreAndAnnounce()
    {
        LumoraMediaObject item = textItem("simpleText");
        MediaPanel *panel = show(item, 2);
        QVERIFY(panel);
        QSignalSpy announced(panel, &MediaPanel::sigLumoraMediaChanged);
        auto *bold = control<QCheckBox>(panel, "textBold");
        auto *transparent = control<QCheckBox>(panel, "backgroundTransparent");
        auto *source = control<QComboBox>(panel, "backgroundSource");
        auto *entryStyle = control<QComboBox>(panel, "textEntryStyle");
        auto *rollSpeed = control<QComboBox>(panel, "textRollSpeed");
        QVERIFY(bold && transparent && source && entryStyle && rollSpeed);
        // A text that stands still shows its effects, not the rolling settings.
        QVERIFY(entryStyle->isVisibleTo(panel));
        QVERIFY(entryStyle->isEnabled());
        QVERIFY(!rollSpeed->isVisibleTo(panel));
        QVERIFY(!source->isEnabled());

        QTest::mouseClick(bold, Qt::LeftButton, {}, QPoint(6, bold->height() / 2));
        QVERIFY(item.text.bold);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.last().at(0).toInt(), 2);
        QTest::mouseClick(transparent, Qt::LeftButton, {}, QPoint(6, transparent->height() / 2));
        QVERIFY(!item.text.backgroundTransparent);
        QVERIFY(source->isEnabled());
        QCOMPARE(announced.count(), 2);

        auto *editor = control<QPlainTextEdit>(panel, "textText");
        QVERIFY(editor);
        editor->setFocus();
        editor->moveCursor(QTextCursor::End);
        QTest::keyClick(editor, Qt::Key_Exclam);
        QCOMPARE(item.text.text, QStringLiteral("Line one\nLine two!"));
        QCOMPARE(announced.count(), 3);

        // Scrolling text: rolling settings instead of effects; played to its end it has no duration.
        LumoraMediaObject ticker = textItem("scrollingText");
        show(ticker, 0);
        QVERIFY(!entryStyle->isVisibleTo(panel));
        QVERIFY(rollSpeed->isVisibleTo(panel));
        QCOMPARE(rollSpeed->currentIndex(), -1); // speed 12 is not offered
        auto *complete = control<QCheckBox>(panel, "textCompletePlay");
        auto *duration = control<QTimeEdit>(panel, "textDuration");
        QVERIFY(complete && duration);
        QVERIFY(duration->isEnabled());
        QTest::mouseClick(complete, Qt::LeftButton, {}, QPoint(6, complete->height() / 2));
        QVERIFY(ticker.text.playToEnd);
        QVERIFY(!duration->isEnabled());
        rollSpeed->setFocus();
        QTest::keyClick(rollSpeed, Qt::Key_Home);
        QCOMPARE(ticker.text.rollSpeed, 1);
        QCOMPARE(announced.count(), 5);
        QCOMPARE(announced.last().at(1).value<LumoraMediaObject *>(), &ticker);
        QCOMPARE(item.text.rollSpeed, 12); // the other item stays as it was
    }

    void videoControlsStoreAndAnnounce()
    {
        LumoraMediaObject item = videoItem();
        MediaPanel *panel = show(item, 1);
        QVERIFY(panel);
        QSignalSpy announced(panel, &MediaPanel::sigLumoraMediaChanged);
        auto *sound = control<QCheckBox>(panel, "videoVolumeBox");
        auto *volume = control<QSlider>(panel, "videoVolume");
        auto *except = control<QCheckBox>(panel, "videoExceptBox");
        auto *clipEnd = control<QTimeEdit>(panel, "videoClipEnd");
        QVERIFY(sound && volume && except && clipEnd);
        QVERIFY(!sound->isChecked());
        QVERIFY(!volume->isEnabled());
        QTest::mouseClick(sound, Qt::LeftButton, {}, QPoint(6, sound->height() / 2));
        QCOMPARE(item.video.volume, 100);
        QVERIFY(volume->isEnabled());
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.last().at(0).toInt(), 1);
        QVERIFY(clipEnd->isEnabled());
        QTest::mouseClick(except, Qt::LeftButton, {}, QPoint(6, except->height() / 2));
        QVERIFY(!item.video.clipEnabled);
        QVERIFY(!clipEnd->isEnabled());
        QCOMPARE(announced.count(), 2);
    }

    // The slider follows the previewed video without seeking it; the operator's drag seeks once,
    // and while the handle is held the player's reports do not pull it away.
    void videoSeekSliderFollowsAndSeeks()
    {
        LumoraMediaObject item = videoItem();
        MediaPanel *panel = show(item, 0);
        QVERIFY(panel);
        auto *seek = control<QSlider>(panel, "videoSeek");
        QVERIFY(seek);
        QSignalSpy seeks(panel, &MediaPanel::sigVideoSeek);
        QSignalSpy announced(panel, &MediaPanel::sigLumoraMediaChanged);
        panel->setVideoRange(100.0f);
        panel->setVideoProgress(25.0f);
        QCOMPARE(seek->value(), 25000);
        QCOMPARE(seeks.count(), 0);

        QStyleOptionSlider option;
        option.initFrom(seek);
        option.orientation = seek->orientation();
        option.minimum = seek->minimum();
        option.maximum = seek->maximum();
        option.sliderPosition = seek->sliderPosition();
        option.sliderValue = seek->value();
        const QRect handle =
            seek->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, seek);
        QVERIFY(handle.isValid());
        const QPoint from = handle.center();
        const QPoint to(seek->width() * 3 / 4, from.y());
        auto send = [seek](QEvent::Type type, const QPoint &at, Qt::MouseButtons buttons) {
            QMouseEvent event(type, at, seek->mapToGlobal(at),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(seek, &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        QVERIFY(seek->isSliderDown());
        for (int x = from.x() + 10; x <= to.x(); x += 10)
            send(QEvent::MouseMove, QPoint(x, from.y()), Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        const int held = seek->sliderPosition();
        QVERIFY(held > 50000);
        panel->setVideoProgress(26.0f); // the player still reports the old place
        QCOMPARE(seek->sliderPosition(), held);
        QCOMPARE(seeks.count(), 0);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
        QCOMPARE(seeks.count(), 1);
        QCOMPARE(seeks.first().at(0).toFloat(), float(held) / 1000.0f);
        QCOMPARE(announced.count(), 0); // a seek is not a change of the item
        QCOMPARE(item.video.totalLength, QTime(0, 1, 5, 500));
    }

    void countTimerAndStreamStoreAndAnnounce()
    {
        LumoraMediaObject timer = countTimerItem();
        MediaPanel *panel = show(timer, 3);
        QVERIFY(panel);
        QSignalSpy timerAnnounced(panel, &MediaPanel::sigLumoraMediaChanged);
        auto *decrease = control<QRadioButton>(panel, "countTimerDecrease");
        auto *length = control<QTimeEdit>(panel, "countTimerLength");
        QVERIFY(decrease && length);
        QTest::mouseClick(decrease, Qt::LeftButton, {}, QPoint(6, decrease->height() / 2));
        QCOMPARE(timer.countTimer.countUp, 0);
        QCOMPARE(timerAnnounced.count(), 1);
        QCOMPARE(timerAnnounced.last().at(0).toInt(), 3);
        length->setTime(QTime(0, 0, 30));
        QCOMPARE(timer.countTimer.length, QTime(0, 0, 30));
        QCOMPARE(timerAnnounced.count(), 2);

        LumoraMediaObject stream = streamItem();
        panel = show(stream, 5);
        QVERIFY(panel);
        QSignalSpy announced(panel, &MediaPanel::sigLumoraMediaChanged);
        auto *address = control<QLineEdit>(panel, "streamingAddress");
        auto *volume = control<QSlider>(panel, "streamingVolume");
        QVERIFY(address && volume);
        QCOMPARE(volume->value(), 130);
        address->setFocus();
        address->end(false);
        QTest::keyClick(address, Qt::Key_2);
        QCOMPARE(stream.streaming.address, QStringLiteral("rtmp://10.0.0.5/live/hall2"));
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.last().at(0).toInt(), 5);
        volume->setValue(40);
        QCOMPARE(stream.streaming.volume, 40);
        QCOMPARE(announced.count(), 2);
    }

    // A colour background of the clocks, count timer and weather is a rule the style-sheet
    // parser accepts as it stands, and an opaque fill that shows.
    void colourBackgroundRulePaints()
    {
        static QStringList complaints;
        complaints.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &message) { complaints << message; });
        BackgroundProperties bg;
        bg.backgroundColor = QColor(30, 140, 200);
        QLabel label;
        label.resize(20, 20);
        label.setStyleSheet(backgroundRule(bg).styleSheet);
        const QImage image = label.grab().toImage();
        qInstallMessageHandler(previous);
        QCOMPARE(complaints, QStringList());
        QCOMPARE(image.pixelColor(10, 10), QColor(30, 140, 200));
    }
};

QTEST_MAIN(TestMediaPanels1)
#include "test_mediapanels1.moc"
