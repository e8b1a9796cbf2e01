#pragma once

#include <QLabel>
#include <QVector>

class QPushButton;

// The drop-down main menu: three sections of commands. Every entry hides the panel
// before its signal goes out, so the command acts on an uncovered window.
class MainMenuBKLabel : public QLabel
{
    Q_OBJECT

public:
    explicit MainMenuBKLabel(QWidget *parent = nullptr);
    ~MainMenuBKLabel() override;

    // A press on this widget does not close the panel; it is the button that opens it.
    void setTriggerWidget(QWidget *trigger) { m_trigger = trigger; }
    void retranslate();

signals:
    void sigNewDoc();
    void sigOpenDoc();
    void sigSaveDoc();
    void sigSaveAsDoc();
    void sigPlay();
    void sigPause();
    void sigStop();
    void sigSetBoot();
    void sigSetPlay();
    void sigLanguage();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        QPushButton *button;
        const char *sourceText;
    };
    struct Section
    {
        QLabel *header;
        const char *sourceText;
    };

    QVector<Section> m_sections;
    QVector<Entry> m_entries;
    QWidget *m_trigger = nullptr;
};
