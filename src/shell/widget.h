#pragma once

#include <QWidget>

// The operator's main window.
class Widget : public QWidget
{
    Q_OBJECT

public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    void openSchemeFromCommandLine(const QString &path);

public slots:
    void slotOpenSettingsDoc(const QString &path);
    void slotOpenLastDoc(const QString &path);
    void slotRaiseWindow();

protected:
    void closeEvent(QCloseEvent *event) override;
};
