#pragma once

#include <QList>
#include <QRect>
#include <QWidget>

class QLabel;
class QTimer;

// A live view of what the desktop shows in each screen's rectangle, refreshed 20 times a
// second; it shows whatever covers a screen too, as the LED screen would.
class MonitorWin : public QWidget
{
    Q_OBJECT

public:
    explicit MonitorWin(QWidget *parent = nullptr);

    // The desktop rectangles to watch, one picture each.
    void setAreas(const QList<QRect> &areas);
    QList<QLabel *> pictures() const { return m_pictures; }

public slots:
    void updateLabelImage();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void layoutPictures();

    QList<QRect> m_areas;
    QList<QLabel *> m_pictures;
    QTimer *m_timer = nullptr;
};
