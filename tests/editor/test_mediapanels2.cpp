// The property panels of clocks, web pages, capture devices and weather items, driven as an
// operator drives them: showing an item changes nothing in it, and each control stores its
// value in the item and announces the item once with its row.
#include "../shell/modalwatcher.h"
#include "appcore/settings.h"
#include "buildpaths.h"
#include "model/lumoramediaobject.h"
#include "model/mediabody.h"
#include "panels/analogclockpanel.h"
#include "panels/colorbutton.h"
#include "panels/digitalclockpanel.h"
#include "panels/urlpanel.h"
#include "panels/videodevicepanel.h"
#include "panels/weatherpanel.h"
#include "panels/wheelguard.h"
#include "weathercore/citylist.h"
#include "weathercore/weatherservice.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

#include <memory>

namespace {

// Every stored field of the item's live group, one "name=value" line each: what the scheme
// file would hold for it.
struct FieldLister
{
    QStringList lines;
    void add(const char *name, const QString &value) { lines << QLatin1String(name) + '=' + value; }
    void int32(const char *name, qint32 v) { add(name, QString::number(v)); }
    void boolean(const char *name, bool v) { add(name, v ? "1" : "0"); }
    void int32Flag(const char *name, bool v) { add(name, v ? "1" : "0"); }
    void text(const char *name, const QString &v) { add(name, v); }
    void colour(const char *name, const QColor &v) { add(name, v.name()); }
    void time(const char *name, const QTime &v) { add(name, v.toString(QStringLiteral("HH:mm:ss"))); }
    void timeMs(const char *name, const QTime &v) { add(name, v.toString(QStringLiteral("HH:mm:ss.zzz"))); }
};

QStringList savedForm(const LumoraMediaObject &media)
{
    FieldLister lister;
    MediaBody::visit(lister, MediaBody::groupOf(media.type), media);
    return lister.lines;
}

struct Announcement
{
    int row;
    LumoraMediaObject *media;
};

// Clicks a check box or radio on its indicator, where an operator would.
void clickBox(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Types `path` into the file dialog's name field and presses Return, as an operator would.
void typeFileName(QFileDialog *dialog, const QString &path)
{
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!name) {
        dialog->reject();
        return;
    }
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}

} // namespace

class TestMediaPanels2 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void digitalClockShowsWithoutWritingAndStoresInput();
    void analogClockStoresSizesColoursAndFonts();
    void webPageStoresAddressesAndPosition();
    void captureDeviceTakesAPictureBackground();
    void weatherStoresProvinceAndCity();

private:
    template<typename Panel> Panel *open(LumoraMediaObject &item, int row);
    template<typename T> T *control(const char *name) const;
    bool announcedOnce(LumoraMediaObject *media, int row);

    QTemporaryDir m_dir;
    std::unique_ptr<MediaPanel> m_panel;
    QList<Announcement> m_announced;
    std::unique_ptr<ModalWatcher> m_watcher;
};

void TestMediaPanels2::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The weather panel's lists come from the program's directory.
    for (const char *name : {"province.txt", "city.txt"}) {
        QVERIFY(QFile::copy(BuildPaths::path("LUMORA_SOURCE_DIR") + QStringLiteral("/resources/weather/") +
                                QLatin1String(name),
                            m_dir.filePath(QLatin1String(name))));
    }
    setApplicationDirectory(m_dir.path());
    // As start-up does.
    WheelGuard::guardApplication();
}

void TestMediaPanels2::init()
{
    m_announced.clear();
    m_watcher.reset(new ModalWatcher);
}

void TestMediaPanels2::cleanup()
{
    m_panel.reset();
    m_watcher.reset();
}

template<typename Panel> Panel *TestMediaPanels2::open(LumoraMediaObject &item, int row)
{
    auto *panel = new Panel;
    m_panel.reset(panel);
    connect(panel, &MediaPanel::sigLumoraMediaChanged, this, [this](int r, LumoraMediaObject *m) {
        m_announced << Announcement{r, m};
    });
    panel->resize(700, 560);
    panel->show();
    panel->showMedia(&item, row);
    return panel;
}

template<typename T> T *TestMediaPanels2::control(const char *name) const
{
    T *found = m_panel->findChild<T *>(QLatin1String(name));
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no control %1").arg(QLatin1String(name))), __FILE__,
                     __LINE__);
    return found;
}

bool TestMediaPanels2::announcedOnce(LumoraMediaObject *media, int row)
{
    const bool once =
        m_announced.size() == 1 && m_announced.first().media == media && m_announced.first().row == row;
    if (!once)
        qWarning("announcements: %d", int(m_announced.size()));
    m_announced.clear();
    return once;
}

void TestMediaPanels2::digitalClockShowsWithoutWritingAndStoresInput()
{
    LumoraMediaObject item;
    item.type = QStringLiteral("digitalClock");
    item.digitalClock.fontSize = 900; // beyond what the size control offers
    item.digitalClock.dateStyle = 1;
    item.digitalClock.colorful = 3;
    item.digitalClock.fixedText = QStringLiteral("Open");
    item.digitalClock.showYear = false;
    item.digitalClock.multiRow = true;
    item.digitalClock.timeDiff = QTime(1, 30, 0);
    item.digitalClock.background.backgroundIsColor = false;
    item.digitalClock.background.backgroundImage = QStringLiteral("/srv/pictures/sky.png");
    const QStringList before = savedForm(item);
    open<DigitalClockPanel>(item, 4);

    QCOMPARE(savedForm(item), before);
    QVERIFY(m_announced.isEmpty());
    QCOMPARE(control<QSpinBox>("fontSize")->value(), 900);
    QCOMPARE(control<QComboBox>("dateStyle")->currentText(), DigitalClockPanel::tr("Day month year"));
    QCOMPARE(control<QComboBox>("colorful")->currentIndex(), 3);
    QVERIFY(control<QRadioButton>("multiRow")->isChecked());
    // Inactive alternatives: the colourful mode paints its own colours, a hidden year has no digits.
    QVERIFY(!control<ColorButton>("color")->isEnabled());
    QVERIFY(!control<QRadioButton>("twoDigitYear")->isEnabled());

    QTest::keyClicks(control<QLineEdit>("fixedText"), QStringLiteral("!"));
    QCOMPARE(item.digitalClock.fixedText, QStringLiteral("Open!"));
    QVERIFY(announcedOnce(&item, 4));

    m_panel->findChild<QTabWidget *>()->setCurrentIndex(1);
    clickBox(control<QRadioButton>("hour12"));
    QVERIFY(item.digitalClock.hour12);
    QVERIFY(announcedOnce(&item, 4));
    clickBox(control<QCheckBox>("showYear"));
    QVERIFY(item.digitalClock.showYear);
    QVERIFY(control<QRadioButton>("twoDigitYear")->isEnabled());
    QVERIFY(announcedOnce(&item, 4));

    // Plain colour again, then a colour chosen in the colour dialog.
    m_panel->findChild<QTabWidget *>()->setCurrentIndex(0);
    QTest::keyClick(control<QComboBox>("colorful"), Qt::Key_Home);
    QCOMPARE(item.digitalClock.colorful, 0);
    QVERIFY(announcedOnce(&item, 4));
    m_watcher->dialogHandlers << [](QWidget *modal) {
        auto *dialog = qobject_cast<QColorDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        dialog->setCurrentColor(QColor(10, 200, 30));
        dialog->accept();
    };
    QTest::mouseClick(control<ColorButton>("color"), Qt::LeftButton);
    QVERIFY(m_watcher->answered());
    QCOMPARE(item.digitalClock.color, QColor(10, 200, 30));
    QCOMPARE(control<ColorButton>("color")->color(), QColor(10, 200, 30));
    QVERIFY(announcedOnce(&item, 4));
    // The rest of the record is as it was shown.
    QCOMPARE(item.digitalClock.fontSize, 900);
    QCOMPARE(item.digitalClock.dateStyle, 1);
}

void TestMediaPanels2::analogClockStoresSizesColoursAndFonts()
{
    LumoraMediaObject item;
    item.type = QStringLiteral("analogClock");
    item.analogClock.hourMarkWidth = 0; // below and above the scale range 1-10
    item.analogClock.minuteMarkHeight = 12;
    item.analogClock.showDate = false;
    item.analogClock.dateStyle = 1;
    item.analogClock.hourMarkShape = 1;
    const QStringList before = savedForm(item);
    open<AnalogClockPanel>(item, 0);

    QCOMPARE(savedForm(item), before);
    QVERIFY(m_announced.isEmpty());
    QCOMPARE(control<QSpinBox>("hourMarkWidth")->value(), 0);
    QCOMPARE(control<QSpinBox>("minuteMarkHeight")->value(), 12);
    QCOMPARE(control<QComboBox>("hourMarkShape")->currentText(), AnalogClockPanel::tr("Round"));
    QVERIFY(!control<ColorButton>("dateColor")->isEnabled());

    QTest::keyClick(control<QSpinBox>("hourMarkWidth"), Qt::Key_Up);
    QCOMPARE(item.analogClock.hourMarkWidth, 1);
    QVERIFY(announcedOnce(&item, 0));

    clickBox(control<QCheckBox>("showDate"));
    QVERIFY(item.analogClock.showDate);
    QVERIFY(control<ColorButton>("dateColor")->isEnabled());
    QVERIFY(announcedOnce(&item, 0));

    const QString family = QApplication::font().family();
    m_watcher->dialogHandlers << [family](QWidget *modal) {
        auto *dialog = qobject_cast<QFontDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        QFont font(family);
        font.setPointSize(21);
        font.setUnderline(true);
        dialog->setCurrentFont(font);
        dialog->accept();
    };
    QTest::mouseClick(control<QPushButton>("textFont"), Qt::LeftButton);
    QVERIFY(m_watcher->answered());
    QCOMPARE(item.analogClock.textFont, family);
    QCOMPARE(item.analogClock.textFontSize, 21);
    QVERIFY(item.analogClock.textUnderline);
    QVERIFY(!item.analogClock.textItalic);
    QVERIFY(announcedOnce(&item, 0));

    // A cancelled colour dialog stores nothing.
    m_watcher->dialogHandlers << [](QWidget *modal) { modal->close(); };
    QTest::mouseClick(control<ColorButton>("secondHandColor"), Qt::LeftButton);
    QVERIFY(m_watcher->answered());
    QCOMPARE(item.analogClock.secondHandColor, QColor(255, 0, 0));
    QVERIFY(m_announced.isEmpty());
}

void TestMediaPanels2::webPageStoresAddressesAndPosition()
{
    LumoraMediaObject item;
    item.type = QStringLiteral("URL");
    item.url.transparency = 15; // beyond the slider's 0-10
    item.url.posX = 6000;
    const QStringList before = savedForm(item);
    open<UrlPanel>(item, 2);
    QCOMPARE(savedForm(item), before);
    QVERIFY(m_announced.isEmpty());

    QLineEdit *address = control<QLineEdit>("address");
    address->setFocus();
    address->selectAll();
    QTest::keyClicks(address, QStringLiteral("http://menu.test/today"));
    QCOMPARE(item.url.address, before.filter(QStringLiteral("address=")).value(0).mid(8));
    QTest::keyClick(address, Qt::Key_Return);
    QCOMPARE(item.url.address, QStringLiteral("http://menu.test/today"));
    QVERIFY(announcedOnce(&item, 2));

    QTest::keyClick(control<QSpinBox>("posY"), Qt::Key_Up);
    QCOMPARE(item.url.posY, 1);
    QCOMPARE(item.url.posX, 6000);
    QVERIFY(announcedOnce(&item, 2));

    const QString page = m_dir.filePath(QStringLiteral("notice.html"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body>notice</body></html>");
    file.close();
    m_watcher->dialogHandlers << [page](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        typeFileName(dialog, page);
    };
    QTest::mouseClick(control<QPushButton>("localUrl"), Qt::LeftButton);
    QVERIFY(m_watcher->answered());
    QCOMPARE(item.url.address, page);
    QCOMPARE(address->text(), page);
    QVERIFY(announcedOnce(&item, 2));
}

void TestMediaPanels2::captureDeviceTakesAPictureBackground()
{
    LumoraMediaObject item;
    item.type = QStringLiteral("videoDevice");
    const QStringList before = savedForm(item);
    VideoDevicePanel *panel = open<VideoDevicePanel>(item, 1);
    QCOMPARE(savedForm(item), before);
    QVERIFY(m_announced.isEmpty());

    auto *selector = panel->findChild<QComboBox *>();
    QVERIFY(selector);
    auto *style = panel->findChildren<QComboBox *>().value(1);
    QVERIFY(style && !style->isEnabled());

    const QString picture = m_dir.filePath(QStringLiteral("lobby.png"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(picture));
    m_watcher->dialogHandlers << [picture](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        typeFileName(dialog, picture);
    };
    QTest::keyClick(selector, Qt::Key_Down); // "Please Select background picture"
    QVERIFY(m_watcher->answered());
    QCOMPARE(item.videoDevice.background.backgroundImage, picture);
    QVERIFY(!item.videoDevice.background.backgroundIsColor);
    QCOMPARE(selector->currentText(), picture);
    QVERIFY(style->isEnabled());
    QVERIFY(!panel->findChild<ColorButton *>()->isEnabled());
    QVERIFY(announcedOnce(&item, 1));

    // Back to the colour: the picture stays on offer as the third entry.
    QTest::keyClick(selector, Qt::Key_Home);
    QVERIFY(item.videoDevice.background.backgroundIsColor);
    QCOMPARE(item.videoDevice.background.backgroundImage, picture);
    QCOMPARE(selector->count(), 3);
    QVERIFY(announcedOnce(&item, 1));

    // Asking for another picture and cancelling changes nothing and shows the colour again.
    m_watcher->dialogHandlers << [](QWidget *modal) { modal->close(); };
    QTest::keyClick(selector, Qt::Key_Down);
    QVERIFY(m_watcher->answered());
    QVERIFY(item.videoDevice.background.backgroundIsColor);
    QCOMPARE(item.videoDevice.background.backgroundImage, picture);
    QCOMPARE(selector->currentIndex(), 0);
    QVERIFY(m_announced.isEmpty());

    QTest::keyClick(control<QTimeEdit>("playTime"), Qt::Key_Up);
    QCOMPARE(item.videoDevice.length, QTime(1, 10, 0));
    QVERIFY(announcedOnce(&item, 1));
}

void TestMediaPanels2::weatherStoresProvinceAndCity()
{
    // A service that is configured, so that choosing a city is seen asking for its weather.
    WeatherConfig config;
    config.provider = WeatherConfig::Telematics;
    config.host = QStringLiteral("http://127.0.0.1:9");
    WeatherService service(config);
    WeatherService::setCurrent(&service);
    struct Restore
    {
        ~Restore() { WeatherService::setCurrent(nullptr); }
    } restore;

    const QStringList provinces = CityList::provinces(m_dir.path());
    QVERIFY(provinces.size() > 2);
    LumoraMediaObject item;
    item.type = QStringLiteral("weather");
    item.weather.location1 = provinces.at(1);
    item.weather.location2 = CityList::citiesOf(m_dir.path(), provinces.at(1)).value(0);
    item.weather.updateInterval = 0; // below the 1-1000 of the control
    const QStringList before = savedForm(item);
    open<WeatherPanel>(item, 3);
    QCOMPARE(savedForm(item), before);
    QVERIFY(m_announced.isEmpty());
    QCOMPARE(control<QComboBox>("city")->currentText(), item.weather.location2);
    QCOMPARE(control<QSpinBox>("updateInterval")->value(), 0);

    // The next province: its first city is chosen with it.
    const int asked = service.requestsSent();
    QTest::keyClick(control<QComboBox>("province"), Qt::Key_Down);
    const QStringList cities = CityList::citiesOf(m_dir.path(), provinces.at(2));
    QVERIFY(cities.size() > 1);
    QCOMPARE(item.weather.location1, provinces.at(2));
    QCOMPARE(item.weather.location2, cities.at(0));
    QVERIFY(announcedOnce(&item, 3));
    QTest::keyClick(control<QComboBox>("city"), Qt::Key_Down);
    QCOMPARE(item.weather.location1, provinces.at(2));
    QCOMPARE(item.weather.location2, cities.at(1));
    QVERIFY(announcedOnce(&item, 3));
    QCOMPARE(service.requestsSent(), asked + 2);

    // A place missing from the lists is shown as it is stored and kept.
    LumoraMediaObject elsewhere;
    elsewhere.type = QStringLiteral("weather");
    elsewhere.weather.location1 = QStringLiteral("Atlantis 99000");
    elsewhere.weather.location2 = QStringLiteral("Poseidonia");
    const QStringList elsewhereBefore = savedForm(elsewhere);
    m_panel->showMedia(&elsewhere, 0);
    QCOMPARE(savedForm(elsewhere), elsewhereBefore);
    QCOMPARE(control<QComboBox>("province")->currentText(), QStringLiteral("Atlantis"));
    QCOMPARE(control<QComboBox>("city")->currentText(), QStringLiteral("Poseidonia"));
    QVERIFY(m_announced.isEmpty());
}

QTEST_MAIN(TestMediaPanels2)
#include "test_mediapanels2.moc"
