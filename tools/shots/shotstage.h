#pragma once

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CommonWinObject;
class LumoraMediaObject;
class MainPlayBKLabel;
class ProgramObject;
class VirtualClock;
class Widget;
class QTemporaryDir;
class QWidget;

// Where the shots are taken: the output folder, a virtual clock standing at a fixed moment
// (clocks, count timers and scrolling texts show the same in every run), the main window and
// display screens a shot asks for, and the ways of photographing them. Whatever one shot
// opened is closed before the next one begins, so every shot starts from a clean desktop.
class ShotStage
{
public:
    ShotStage(const QString &outputDir, const QDateTime &now);
    ~ShotStage();

    // Called by the runner before each shot: closes what the last one opened.
    void begin(const QString &name);

    VirtualClock &clock() { return *m_clock; }
    // Moves the virtual clock on and lets the windows paint what it brought.
    void advance(qint64 msecs);

    // The real main window (one display window and its default schedule), shown.
    Widget *mainWindow();

    // A display screen of `size` at the desktop's top left, without play windows yet.
    MainPlayBKLabel *screen(const QSize &size);
    // Adds a play window at `geometry` to the screen and starts playing `media` in it.
    CommonWinObject *play(MainPlayBKLabel *screen, const QRect &geometry,
                          const QList<LumoraMediaObject *> &media);

    // A generated picture: a diagonal gradient from `from` to `to` with a light sun and a caption.
    QImage picture(const QSize &size, const QColor &from, const QColor &to, const QString &caption) const;
    // The same picture written to <caption>.png in a folder of the stage, for a picture item.
    QString pictureFile(const QSize &size, const QColor &from, const QColor &to, const QString &caption);

    // The photographs; each writes <name>.png into the output folder and says whether it did.
    bool capture(QWidget *widget);
    // Runs `command`, photographs the first modal dialog it opens and closes that dialog.
    bool captureDialogOf(const std::function<void()> &command);
    bool captureScreen();

    // Records that the current shot could not be taken.
    void fail(const QString &why);

    QStringList written() const { return m_written; }
    QStringList failures() const { return m_failures; }

private:
    bool save(const QImage &image, const QString &what);
    void settle(int msecs = 300);
    void closeShot();

    QString m_outputDir;
    QString m_name;
    QDateTime m_start;
    std::unique_ptr<VirtualClock> m_clock;
    std::unique_ptr<Widget> m_main;
    QList<MainPlayBKLabel *> m_screens;
    QList<ProgramObject *> m_pages;
    QStringList m_written;
    QStringList m_failures;
    std::unique_ptr<QTemporaryDir> m_pictures;
};
