#pragma once

#include "framelessdialog.h"

class QButtonGroup;
class QCheckBox;
class QPushButton;

// The choice of the interface language: Chinese (0) or English (1). The two language
// names are written in their own language and never translated.
class LanguageSetupWin : public FramelessDialog
{
    Q_OBJECT

public:
    explicit LanguageSetupWin(QWidget *parent = nullptr);

    // Checks the box of `language`; any other value checks neither.
    void setLanguage(int language);
    // The checked language, `unchanged` when neither box is checked.
    int language(int unchanged) const;

    QCheckBox *chineseBox() const { return m_chinese; }
    QCheckBox *englishBox() const { return m_english; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    void slotSure();
    void slotCancel();

protected:
    void retranslate() override;

private:
    QButtonGroup *m_group = nullptr;
    QCheckBox *m_chinese = nullptr;
    QCheckBox *m_english = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
