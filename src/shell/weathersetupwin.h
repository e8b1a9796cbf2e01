#pragma once

#include "framelessdialog.h"
#include "weathercore/weatherconfig.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class WeatherService;

// The choice of the weather service: the keyless forecast service, a service at an address
// with its access key, or none; "Test" asks the chosen one for a city and says whether it
// answers, without touching the service weather items use.
class WeatherSetupWin : public FramelessDialog
{
    Q_OBJECT

public:
    explicit WeatherSetupWin(QWidget *parent = nullptr);

    void setConfig(const WeatherConfig &config);
    WeatherConfig config() const;

    QRadioButton *keylessButton() const { return m_keyless; }
    QRadioButton *serviceButton() const { return m_service; }
    QRadioButton *noneButton() const { return m_none; }
    QLineEdit *addressEdit() const { return m_address; }
    QLineEdit *keyEdit() const { return m_key; }
    QLineEdit *cityEdit() const { return m_city; }
    QPushButton *testButton() const { return m_test; }
    QLabel *testResult() const { return m_result; }
    QPushButton *okButton() const { return m_ok; }

signals:
    // The test has an answer (shown in testResult()).
    void testFinished(bool answered);

protected:
    void retranslate() override;

private:
    void runTest();
    void updateFields();

    QRadioButton *m_keyless = nullptr;
    QRadioButton *m_service = nullptr;
    QRadioButton *m_none = nullptr;
    QLineEdit *m_address = nullptr;
    QLineEdit *m_key = nullptr;
    QLabel *m_addressLabel = nullptr;
    QLabel *m_keyLabel = nullptr;
    QLabel *m_cityLabel = nullptr;
    QLineEdit *m_city = nullptr;
    QPushButton *m_test = nullptr;
    QLabel *m_result = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    WeatherService *m_probe = nullptr;
    // The keyless service's addresses as they were set, kept through a change of choice.
    QString m_forecastUrl;
    QString m_geocodingUrl;
};
