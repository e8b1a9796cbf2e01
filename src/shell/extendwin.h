#pragma once

#include <QDialog>
#include <QList>
#include <QRect>

class QLabel;
class QPushButton;
class QRadioButton;

// The choice of the screen a display window moves to for backstage play, offered when
// there are more screens than the operator's and one other.
class ExtendWin : public QDialog
{
    Q_OBJECT

public:
    // `screens`: the screens to choose from, in survey order (the operator's own left out).
    explicit ExtendWin(const QList<QRect> &screens, QWidget *parent = nullptr);

    // Position of the checked screen in the list given, 0 for the first.
    int chosenIndex() const { return m_chosenIndex; }
    bool isCancelled() const { return m_cancelled; }

    QList<QRadioButton *> screenButtons() const { return m_screenButtons; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    void slotSure();
    void slotCancel();

protected:
    void changeEvent(QEvent *event) override;
    void reject() override;

private:
    void retranslate();

    QLabel *m_caption = nullptr;
    QList<QRadioButton *> m_screenButtons;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    int m_chosenIndex = 0;
    bool m_cancelled = true;
};
