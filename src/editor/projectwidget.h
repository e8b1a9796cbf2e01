#pragma once

#include <QWidget>

class NoFocusRectangleStyle;
class ProjectTree;

// The container of one display window's schedule tree in the main window's tree column.
class ProjectWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TreeWidth = 290;

    explicit ProjectWidget(const QString &displayWindowName, QWidget *parent = nullptr);
    ~ProjectWidget() override;

    QString displayWindowName() const { return m_displayWindowName; }
    void setDisplayWindowName(const QString &name);
    ProjectTree *tree() const { return m_tree; }

private:
    QString m_displayWindowName;
    ProjectTree *m_tree = nullptr;
    NoFocusRectangleStyle *m_style = nullptr;
};
