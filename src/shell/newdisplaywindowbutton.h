#pragma once

#include <QToolButton>

class QAction;

// The selector button of one display window in the main window's selector row. Its context
// menu edits, adds and deletes display windows.
class newDisplayWindowButton : public QToolButton
{
    Q_OBJECT

public:
    explicit newDisplayWindowButton(const QString &displayWindowName, QWidget *parent = nullptr);

    QAction *settingAction() const { return m_settingAction; }
    QAction *addAction() const { return m_addAction; }
    QAction *deleteAction() const { return m_deleteAction; }
    void retranslate();

signals:
    void sigBtnChecked(bool checked);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QAction *m_settingAction = nullptr;
    QAction *m_addAction = nullptr;
    QAction *m_deleteAction = nullptr;
};
