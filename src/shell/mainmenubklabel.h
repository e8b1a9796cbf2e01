#pragma once

#include <QKeySequence>
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
    // The undo and redo entries name the step they act on; an empty name and false leave the
    // entry plain and disabled.
    void setUndoRedo(const QString &undoName, bool canUndo, const QString &redoName, bool canRedo);
    // The keys of the entry named `entry` (its object name); empty for none.
    static QKeySequence keysOf(const QString &entry);

signals:
    void sigNewDoc();
    void sigOpenDoc();
    void sigSaveDoc();
    void sigSaveAsDoc();
    void sigUndo();
    void sigRedo();
    void sigPlay();
    void sigPause();
    void sigStop();
    void sigSetBoot();
    void sigSetPlay();
    void sigLanguage();
    void sigWeather();
    void sigScreens();

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
    QPushButton *m_undo = nullptr;
    QPushButton *m_redo = nullptr;
    QString m_undoName;
    QString m_redoName;
};
