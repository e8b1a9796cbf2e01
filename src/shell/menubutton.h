#pragma once

#include <QPixmap>
#include <QWidget>

// A top-bar command: a picture above a caption. Two-state commands keep their state in
// the caption, so the caption and picture can be swapped at any time.
class menuButton : public QWidget
{
    Q_OBJECT

public:
    explicit menuButton(const QString &picturePath, const QString &text, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

    QString picturePath() const { return m_picturePath; }
    QPixmap picture() const { return m_picture; }
    void setPicture(const QString &picturePath);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void sigBtnPressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_text;
    QString m_picturePath;
    QPixmap m_picture;
    bool m_hovered = false;
    bool m_pressed = false;
};
