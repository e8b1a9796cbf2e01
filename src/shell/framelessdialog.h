#pragma once

#include <QDialog>
#include <QPoint>

class QLabel;
class QVBoxLayout;

// The look and handling shared by the setup dialogs (start-up, language, weather): no window
// frame, the console look with a bright border, a dark title strip, and dragging with the left mouse
// button anywhere on the dialog. Subclasses fill contentLayout().
class FramelessDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FramelessDialog(QWidget *parent = nullptr);

    QLabel *titleLabel() const { return m_title; }
    // True unless the last run ended through OK.
    bool isCancelled() const { return m_cancelled; }

protected:
    QVBoxLayout *contentLayout() const { return m_content; }
    void setCancelled(bool cancelled) { m_cancelled = cancelled; }
    // Re-applies every translated text; run on each language change.
    virtual void retranslate() = 0;

    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Escape and the window system's close count as cancel.
    void reject() override;

private:
    QLabel *m_title = nullptr;
    QVBoxLayout *m_content = nullptr;
    QPoint m_pressOffset; // from the dialog's top-left corner to the press point
    bool m_dragging = false;
    bool m_cancelled = true;
};
