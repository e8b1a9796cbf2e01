#pragma once

#include "framelessdialog.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The start-up settings: start with the desktop session, and which scheme to open and
// play by itself at start. It only edits the values; the main window stores them.
class BootSetupWin : public FramelessDialog
{
    Q_OBJECT

public:
    explicit BootSetupWin(QWidget *parent = nullptr);

    // `playType` other than 0 and 1 checks neither choice.
    void setValues(bool startUp, bool autoPlay, int playType, const QString &schemePath);
    bool startUp() const;
    // With the systemd user unit enabled the unit starts the player, and the choice is shown
    // as made and cannot be changed here.
    void setStartedByService(bool byService);
    bool autoPlay() const;
    // 0 "Select the scheme", 1 "Play the last play scheme", `unchanged` when neither is checked.
    int playType(int unchanged) const;
    QString schemePath() const;

    QCheckBox *startUpBox() const { return m_startUp; }
    QCheckBox *autoPlayBox() const { return m_autoPlay; }
    QGroupBox *optionGroup() const { return m_option; }
    QRadioButton *selectSchemeButton() const { return m_selectScheme; }
    QRadioButton *lastSchemeButton() const { return m_lastScheme; }
    QLineEdit *pathEdit() const { return m_path; }
    QPushButton *selectButton() const { return m_select; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    void enablePlay(bool enabled);
    void slotLoad();
    void slotSure();
    void slotCancel();

protected:
    void retranslate() override;

private:
    QCheckBox *m_startUp = nullptr;
    bool m_byService = false;
    QCheckBox *m_autoPlay = nullptr;
    QGroupBox *m_option = nullptr;
    QRadioButton *m_selectScheme = nullptr;
    QRadioButton *m_lastScheme = nullptr;
    QLineEdit *m_path = nullptr;
    QPushButton *m_select = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
