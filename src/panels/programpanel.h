#pragma once

#include "nodepanel.h"

#include <QColor>

class ProgramObject;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTimeEdit;

// The panel of a program page: its background (colour, picture and how the picture is laid
// out), its background music, and how long the page plays.
class ProgramPanel : public NodePanel
{
    Q_OBJECT

public:
    explicit ProgramPanel(QWidget *parent = nullptr);

    void showProgram(ProgramObject *page);
    ProgramObject *program() const { return m_page; }

signals:
    void sigProgramChanged(ProgramObject *page);

public slots:
    void slotProgramNameChange(const QString &name);
    void slotShowProgramColorDialog();
    void slotProgramBKColorSet(const QColor &color);
    void slotProgramBKImageChange(int index);
    void slotProgramDisplayTypeChanged(int index);
    void slotAddBKMusic();
    void slotDelBKMusic();
    void slotUpBKMusic();
    void slotDownBKMusic();
    void slotClearBKMusic();
    void slotprogramTimesBtn(bool checked);
    void slotProgramTimesChanged(int times);
    void slotprogramLengthBtn(bool checked);
    void slotProgramLengthChanged(const QTime &length);
    void slotprogramLoopBtn(bool checked);

protected:
    bool hasRecord() const override { return m_page != nullptr; }
    void fillControls() override;
    void retranslateUi() override;

private:
    void announce();
    void showColor(const QColor &color);
    void fillPictureChoice();
    void fillMusic();
    void moveMusic(int step);
    void enableAlternatives();

    ProgramObject *m_page = nullptr;
    QLabel *m_nameLabel;
    QLineEdit *m_name;
    QLabel *m_colorLabel;
    QPushButton *m_color;
    QLabel *m_pictureLabel;
    QComboBox *m_picture;
    QLabel *m_displayTypeLabel;
    QComboBox *m_displayType;
    QLabel *m_musicLabel;
    QListWidget *m_music;
    QList<QPushButton *> m_musicButtons;
    QRadioButton *m_byTimes;
    QSpinBox *m_times;
    QRadioButton *m_byLength;
    QTimeEdit *m_length;
    QRadioButton *m_loop;
};
