#include "weathersetupwin.h"

#include "weathercore/weatherservice.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

WeatherSetupWin::WeatherSetupWin(QWidget *parent)
    : FramelessDialog(parent)
{
    setObjectName(QStringLiteral("WeatherSetupWin"));
    setMinimumWidth(460);
    QVBoxLayout *column = contentLayout();

    m_keyless = new QRadioButton(this);
    m_service = new QRadioButton(this);
    m_none = new QRadioButton(this);
    auto *group = new QButtonGroup(this);
    for (QRadioButton *button : {m_keyless, m_service, m_none})
        group->addButton(button);
    column->addWidget(m_keyless);
    column->addWidget(m_service);
    auto *fields = new QFormLayout;
    fields->setContentsMargins(24, 0, 0, 0);
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("weatherAddress"));
    m_address->setPlaceholderText(QStringLiteral("http://weather.example.com:8080"));
    m_key = new QLineEdit(this);
    m_key->setObjectName(QStringLiteral("weatherKey"));
    m_addressLabel = new QLabel(this);
    m_keyLabel = new QLabel(this);
    fields->addRow(m_addressLabel, m_address);
    fields->addRow(m_keyLabel, m_key);
    column->addLayout(fields);
    column->addWidget(m_none);

    auto *testRow = new QHBoxLayout;
    m_cityLabel = new QLabel(this);
    m_city = new QLineEdit(QStringLiteral("北京"), this);
    m_city->setObjectName(QStringLiteral("weatherTestCity"));
    m_test = new QPushButton(this);
    m_test->setObjectName(QStringLiteral("weatherTest"));
    testRow->addWidget(m_cityLabel);
    testRow->addWidget(m_city, 1);
    testRow->addWidget(m_test);
    column->addLayout(testRow);
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("weatherTestResult"));
    m_result->setWordWrap(true);
    column->addWidget(m_result);
    column->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);

    connect(group, QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked), this,
            [this] { updateFields(); });
    connect(m_test, &QPushButton::clicked, this, &WeatherSetupWin::runTest);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        setCancelled(false);
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &WeatherSetupWin::reject);
    setConfig(WeatherConfig::keyless());
    retranslate();
}

void WeatherSetupWin::retranslate()
{
    titleLabel()->setText(tr("Weather service"));
    m_keyless->setText(tr("Open-Meteo forecasts (no key needed)"));
    m_service->setText(tr("Weather service at an address"));
    m_none->setText(tr("No weather (weather items show their background)"));
    m_addressLabel->setText(tr("Address:"));
    m_keyLabel->setText(tr("Access key:"));
    m_key->setPlaceholderText(tr("built-in key"));
    m_cityLabel->setText(tr("City:"));
    m_test->setText(tr("Test"));
    m_ok->setText(tr("ok"));
    m_cancel->setText(tr("cancel"));
}

void WeatherSetupWin::setConfig(const WeatherConfig &config)
{
    m_keyless->setChecked(config.provider == WeatherConfig::OpenMeteo);
    m_service->setChecked(config.provider == WeatherConfig::Telematics);
    m_none->setChecked(config.provider == WeatherConfig::None);
    m_address->setText(config.host);
    m_key->setText(config.key);
    m_forecastUrl = config.forecastUrl.isEmpty() ? WeatherConfig::defaultForecastUrl() : config.forecastUrl;
    m_geocodingUrl = config.geocodingUrl.isEmpty() ? WeatherConfig::defaultGeocodingUrl() : config.geocodingUrl;
    m_result->clear();
    updateFields();
}

WeatherConfig WeatherSetupWin::config() const
{
    WeatherConfig c;
    c.provider = m_keyless->isChecked()   ? WeatherConfig::OpenMeteo
                 : m_service->isChecked() ? WeatherConfig::Telematics
                                          : WeatherConfig::None;
    c.host = m_address->text().trimmed();
    c.key = m_key->text().trimmed();
    c.forecastUrl = m_forecastUrl;
    c.geocodingUrl = m_geocodingUrl;
    return c;
}

void WeatherSetupWin::updateFields()
{
    const bool service = m_service->isChecked();
    m_address->setEnabled(service);
    m_key->setEnabled(service);
    m_test->setEnabled(!m_none->isChecked());
}

void WeatherSetupWin::runTest()
{
    const WeatherConfig chosen = config();
    if (!chosen.isConfigured()) {
        m_result->setText(tr("Enter the service's address first."));
        emit testFinished(false);
        return;
    }
    // A service of its own for the test: the one weather items use keeps its values.
    delete m_probe;
    m_probe = new WeatherService(chosen, this);
    const QString city = m_city->text().trimmed();
    m_result->setText(tr("Asking the service…"));
    m_test->setEnabled(false);
    WeatherService *probe = m_probe;
    auto finish = [this, probe](bool answered, const QString &text) {
        if (probe != m_probe)
            return;
        m_result->setText(text);
        m_test->setEnabled(true);
        m_probe->deleteLater();
        m_probe = nullptr;
        emit testFinished(answered);
    };
    connect(probe, &WeatherService::reportChanged, this, [finish](const QString &) {
        finish(true, tr("The service answers."));
    });
    connect(probe, &WeatherService::requestFailed, this, [finish](const QString &, const QString &why) {
        finish(false, tr("No weather from the service: %1").arg(why));
    });
    probe->requestNow(city);
}
