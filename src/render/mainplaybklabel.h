#pragma once

#include <QColor>
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QString>

struct PlayEvent;

class CommonPlayWindow;
class CommonWinObject;

// The on-screen area of one display window: a frameless top-level widget carrying one play
// window per window of that display window's schedule. It decides when a page's pass is
// over (every window of the page has played its list at least once) and reports that.
class MainPlayBKLabel : public QLabel
{
    Q_OBJECT

public:
    // `keepsPlayLog` false: its play windows hand their rows only to sigPlayLogRow (the
    // simulation), never to the play-log database.
    explicit MainPlayBKLabel(const QString &name, QWidget *parent = nullptr, bool keepsPlayLog = true);
    ~MainPlayBKLabel() override;

    QString name;
    bool selected = false;
    QList<CommonPlayWindow *> playWindows;
    bool realPlayMode = false;
    bool windowsLocked = false;
    // "HardDecode" = 1: the video players of the play windows created from now on draw
    // through mpv's render API and may decode in hardware (see MpvWidget).
    bool hardDecode = true;
    bool keepsPlayLog() const { return m_keepsPlayLog; }

    CommonPlayWindow *findPlayWindow(const CommonWinObject *w) const;
    // A play window reports that it has played the last item of its list.
    void windowListEnded(CommonWinObject *w);
    void applyWindowProperties(CommonWinObject *w);
    // Shows `w`'s play window (creating it when there is none); see the editor's preview.
    CommonPlayWindow *showCommonWindow(bool showOnly, CommonWinObject *w);
    // The background of the page on show, under its play windows: `color`, and over it the
    // picture at `picturePath` (if any) stretched (display type 1) or tiled (0).
    void setPageBackground(const QColor &color, const QString &picturePath, int displayType);
    QColor pageColor() const { return m_pageColor; }
    QString pagePicture() const { return m_picturePath; }

signals:
    // The pass of `w`'s page has ended on this display window.
    void sigCurProgramRealPlayEnd(const QString &name, CommonWinObject *w);
    void sigSetVideoRange(float seconds);
    void sigSetVideoProgress(float seconds);
    void sigWindowGeometryEdited(CommonWinObject *w);
    void sigPlayLogRow(CommonWinObject *w, const QStringList &row);
    void sigItemStarted(CommonWinObject *w, const QString &itemName);
    void sigPlayEvent(CommonWinObject *w, const PlayEvent &event);
    void sigPlayResumed(CommonWinObject *w);

public slots:
    void slotSetVideoRange(float seconds);
    void slotSetVideoProgress(float seconds);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_keepsPlayLog;
    QColor m_pageColor = QColor(0, 0, 0);
    QString m_picturePath;
    QPixmap m_picture;
    int m_displayType = 1;
};
