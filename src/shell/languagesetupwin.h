#pragma once

#include "framelessdialog.h"

class QButtonGroup;
class QRadioButton;
class QPushButton;

// The choice of the interface language: Chinese (0) or English (1). The two language
// names are written in their own language and never translated.
class LanguageSetupWin : public FramelessDialog
{
    Q_OBJECT

public:
    explicit LanguageSetupWin(QWidget *parent = nullptr);

    // Checks the button of `language`; any other value checks neither.
    void setLanguage(int language);
    // The checked language, `unchanged` when neither button is checked.
    int language(int unchanged) const;

    QRadioButton *chineseBox() const { return m_chinese; }
    QRadioButton *englishBox() const { return m_english; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    void slotSure();
    void slotCancel();

protected:
    void retranslate() override;

private:
    QButtonGroup *m_group = nullptr;
    QRadioButton *m_chinese = nullptr;
    QRadioButton *m_english = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
