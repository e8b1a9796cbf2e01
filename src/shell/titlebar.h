#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QPushButton;

// The 32-pixel title bar of the frameless main window: logo, product name and version,
// the window buttons, and dragging the window by the bar.
class TitleBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Height = 32;

    explicit TitleBar(QWidget *parent = nullptr);

    // Shows the restore button instead of the maximization button.
    void setMaximizedLook(bool maximized);
    // The open scheme as the main window names it.
    void setDocumentTitle(const QString &title);
    QString documentTitle() const;
    void retranslate();

signals:
    void minimizeRequested();
    void maximizeRequested();
    void restoreRequested();
    void closeRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QPushButton *makeWindowButton(const char *name, const QString &picture);

    QLabel *m_logo = nullptr;
    QLabel *m_productName = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_document = nullptr;
    QPushButton *m_minimizeButton = nullptr;
    QPushButton *m_maximizeButton = nullptr;
    QPushButton *m_restoreButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    bool m_dragging = false;
    QPoint m_pressOffset; // from the window's top-left corner to the press point
};
