#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Name, place, size and stay-on-top policy of a display window. OK refuses an empty name
// and a name that another display window already has.
class DisplaySettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // `otherNames`: the names of every other display window.
    explicit DisplaySettingsDialog(const QStringList &otherNames, QWidget *parent = nullptr);

    void setValues(const QString &name, int x, int y, int width, int height, int onTopMode);
    QString name() const;
    int x() const;
    int y() const;
    int displayWidth() const;
    int displayHeight() const;
    int onTopMode() const; // 0 Never, 1 Always, 2 Playing
    bool isAccepted() const { return m_accepted; }

    QLineEdit *nameEdit() const { return m_nameEdit; }
    QSpinBox *xSpin() const { return m_x; }
    QSpinBox *ySpin() const { return m_y; }
    QSpinBox *widthSpin() const { return m_width; }
    QSpinBox *heightSpin() const { return m_height; }
    QRadioButton *onTopButton(int mode) const;
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    void sureBtnSlot();
    void cancelBtnSlot();

private:
    QStringList m_otherNames;
    QLineEdit *m_nameEdit = nullptr;
    QSpinBox *m_x = nullptr;
    QSpinBox *m_y = nullptr;
    QSpinBox *m_width = nullptr;
    QSpinBox *m_height = nullptr;
    QRadioButton *m_never = nullptr;
    QRadioButton *m_always = nullptr;
    QRadioButton *m_playing = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_accepted = false;
};
