#include "weatherpanel.h"

#include "backgroundcontrols.h"
#include "colorbutton.h"
#include "model/lumoramediaobject.h"
#include "panelkit.h"
#include "platform/applocations.h"
#include "weathercore/citylist.h"
#include "weathercore/weatherservice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

constexpr int kUpdateMin = 1;
constexpr int kUpdateMax = 1000;

// What the operator reads of a province entry: its name without the code.
QString provinceName(const QString &entry)
{
    const QString code = CityList::provinceCode(entry);
    return code.isEmpty() ? entry : entry.left(entry.lastIndexOf(code)).trimmed();
}

} // namespace

WeatherPanel::WeatherPanel(QWidget *parent)
    : MediaPanel(parent)
{
    PanelKit::applyLook(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_group = new QGroupBox(this);
    QFormLayout *form = PanelKit::form();
    m_group->setLayout(form);

    m_background = new BackgroundControls(true, m_group);
    setBackgroundOf([](LumoraMediaObject &m) { return BackgroundFields::of(m.weather.background); });
    m_backgroundLabel = new QLabel(m_group);
    form->addRow(m_backgroundLabel, m_background);

    auto *placeRow = new QWidget(m_group);
    auto *place = new QHBoxLayout(placeRow);
    place->setContentsMargins(0, 0, 0, 0);
    place->setSpacing(8);
    m_province = new QComboBox(placeRow);
    m_province->setObjectName(QStringLiteral("province"));
    m_province->setMinimumWidth(150);
    m_province->setMaxVisibleItems(20);
    m_city = new QComboBox(placeRow);
    m_city->setObjectName(QStringLiteral("city"));
    m_city->setMinimumWidth(150);
    m_city->setMaxVisibleItems(20);
    place->addWidget(m_province);
    place->addWidget(m_city);
    place->addStretch(1);
    m_cityLabel = new QLabel(m_group);
    form->addRow(m_cityLabel, placeRow);
    for (const QString &entry : CityList::provinces(AppLocations::dataDirectory()))
        m_province->addItem(provinceName(entry), entry);

    auto *updateRow = new QWidget(m_group);
    auto *update = new QHBoxLayout(updateRow);
    update->setContentsMargins(0, 0, 0, 0);
    update->setSpacing(8);
    m_update = new QSpinBox(updateRow);
    m_update->setObjectName(QStringLiteral("updateInterval"));
    PanelKit::offerRange(m_update, kUpdateMin, kUpdateMax);
    m_update->setMinimumWidth(80);
    m_minutesLabel = new QLabel(updateRow);
    update->addWidget(m_update);
    update->addWidget(m_minutesLabel);
    update->addStretch(1);
    m_updateLabel = new QLabel(m_group);
    form->addRow(m_updateLabel, updateRow);

    m_playTime = PanelKit::timeEdit(m_group);
    m_playTime->setObjectName(QStringLiteral("playTime"));
    m_playTimeLabel = new QLabel(m_group);
    form->addRow(m_playTimeLabel, m_playTime);
    column->addWidget(m_group);

    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    m_notice->setStyleSheet(QStringLiteral("color: #f0b429; padding: 4px 2px;"));
    column->addWidget(m_notice);
    column->addStretch(1);

    const auto activated = QOverload<int>::of(&QComboBox::activated);
    connect(m_background->selector(), activated, this, &WeatherPanel::slotweatherBackgroundChange);
    connect(m_background->colorButton(), &QPushButton::clicked, this,
            &WeatherPanel::slotShowWeatherBKColorDialog);
    connect(m_background->styleBox(), activated, this, &WeatherPanel::slotweatherBKImageStyleChange);
    connect(m_background->transparentBox(), &QCheckBox::toggled, this,
            &WeatherPanel::slotWeatherBKTransparent);
    connect(m_province, activated, this, &WeatherPanel::slotWeatherProvinceChange);
    connect(m_city, activated, this, &WeatherPanel::slotweatherCountryChange);
    connect(m_update, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &WeatherPanel::slotweatherUpdateChanged);
    connect(m_playTime, &QTimeEdit::timeChanged, this, &WeatherPanel::slotweatherTimeLength);
    // The preview beside the panel shows the item's background while nothing answers; the
    // notice says why.
    WeatherService &service = WeatherService::current();
    connect(&service, &WeatherService::requestFailed, this, &WeatherPanel::updateNotice);
    connect(&service, &WeatherService::reportChanged, this, &WeatherPanel::updateNotice);
    retranslateUi();
}

void WeatherPanel::updateNotice()
{
    const WeatherService &service = WeatherService::current();
    QString notice;
    if (!service.isConfigured())
        notice = WeatherService::unconfiguredNotice();
    else if (const QString problem = service.problem(m_city->currentText()); !problem.isEmpty())
        notice = tr("No weather from the service: %1").arg(problem);
    m_notice->setText(notice);
    m_notice->setVisible(!notice.isEmpty());
}

QStringList WeatherPanel::kinds() const
{
    return {QStringLiteral("weather")};
}

void WeatherPanel::retranslateUi()
{
    m_group->setTitle(tr("Weather"));
    m_backgroundLabel->setText(tr("Background:"));
    m_cityLabel->setText(tr("City"));
    m_province->setToolTip(tr("Province"));
    m_updateLabel->setText(tr("Update cycle:"));
    m_minutesLabel->setText(tr("minutes"));
    m_playTimeLabel->setText(tr("Play time:"));
    updateNotice();
}

void WeatherPanel::listCities(const QString &provinceEntry)
{
    const QSignalBlocker blocker(m_city);
    m_city->clear();
    m_city->addItems(CityList::citiesOf(AppLocations::dataDirectory(), provinceEntry));
}

void WeatherPanel::fill(const LumoraMediaObject &media)
{
    const WeatherProperties &weather = media.weather;
    m_background->showBackground(BackgroundFields::of(MediaPanel::media()->weather.background));

    // A place missing from the lists is added as it stands, so what is shown is what is kept.
    int province = m_province->findData(weather.location1);
    if (province < 0 && !weather.location1.isEmpty()) {
        m_province->addItem(provinceName(weather.location1), weather.location1);
        province = m_province->count() - 1;
    }
    m_province->setCurrentIndex(province);
    listCities(weather.location1);
    int city = m_city->findText(weather.location2, Qt::MatchExactly);
    if (city < 0 && !weather.location2.isEmpty()) {
        m_city->addItem(weather.location2);
        city = m_city->count() - 1;
    }
    m_city->setCurrentIndex(city);

    PanelKit::showValue(m_update, weather.updateInterval);
    PanelKit::showTime(m_playTime, weather.length);
    updateNotice();
}

void WeatherPanel::slotweatherBackgroundChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->choose(index, b); });
}

void WeatherPanel::slotShowWeatherBKColorDialog()
{
    changeBackground([&](const BackgroundFields &b) { return m_background->askColor(b); });
}

void WeatherPanel::slotWeatherBKColorSet(const QColor &color)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setColor(color, b); });
}

void WeatherPanel::slotweatherBKImageStyleChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setStyle(index, b); });
}

void WeatherPanel::slotWeatherBKTransparent(bool checked)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setTransparent(checked, b); });
}

void WeatherPanel::slotWeatherProvinceChange(int index)
{
    if (!media() || index < 0)
        return;
    listCities(m_province->itemData(index).toString());
    if (m_city->count() > 0) {
        const QSignalBlocker blocker(m_city);
        m_city->setCurrentIndex(0);
        slotweatherCountryChange(0);
    } else {
        // A province without cities stores nothing: show what is kept.
        showMedia(media(), row());
    }
}

void WeatherPanel::slotweatherCountryChange(int index)
{
    if (index < 0 || m_province->currentIndex() < 0)
        return;
    if (!media())
        return;
    const QString city = m_city->itemText(index);
    change([&](LumoraMediaObject &m) {
        m.weather.location1 = m_province->currentData().toString();
        m.weather.location2 = city;
    });
    WeatherService::current().requestNow(city);
}

void WeatherPanel::slotweatherUpdateChanged(int minutes)
{
    change([&](LumoraMediaObject &m) { m.weather.updateInterval = minutes; });
}

void WeatherPanel::slotweatherTimeLength(const QTime &time)
{
    change([&](LumoraMediaObject &m) { m.weather.length = time; });
}
