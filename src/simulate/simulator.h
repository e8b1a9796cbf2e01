#pragma once

#include "render/screenplayhost.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class MainPlayBKLabel;
class Scheme;
class VirtualClock;

// Plays a whole scheme on the virtual clock with the real schedulers, screens and play
// windows, headless, and reports what real play would log. Every display window starts at
// the start time, in name order, as the delayed start after an automatic open does.
//
// Output lines (tab-separated):
//   display window, window, then the seven play-log columns, one line per row, in the order
//   the rows are written;
//   with events: "#", date and time, display window, event, details: "play start",
//   "play stop", "segment start"/"segment end" (general segment name), "insert start"/
//   "insert end" (kind and segment name), "page" (kind, segment and page name).
//
// The clock service is switched to the simulator's virtual clock for its lifetime; only
// one simulator may exist at a time. Needs a QApplication (widgets, any platform).
class Simulator : public QObject
{
    Q_OBJECT

public:
    using Output = std::function<void(const QString &line)>;

    Simulator(Scheme &scheme, const QDateTime &start, bool events, Output output);
    ~Simulator() override;

    // Runs the simulation for `msec` from where it stands.
    void run(qint64 msec);
    QDateTime now() const;
    int rowCount() const { return m_rows; }
    ScreenPlayHost &host();
    VirtualClock &clock() { return *m_clock; }

private:
    class Host;
    struct Display;
    // Gives each video without a length the one its file has.
    static void readVideoLengths(Scheme &scheme);
    void observe(Display &display);
    void observeByName(const QString &name);
    QString stamp() const;
    void event(const Display &display, const QString &what, const QStringList &details);

    std::unique_ptr<VirtualClock> m_clock;
    std::unique_ptr<Host> m_host;
    std::vector<std::unique_ptr<Display>> m_displays;
    bool m_events;
    Output m_output;
    int m_rows = 0;
};
