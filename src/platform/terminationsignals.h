#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM (a service manager's stop, a shutdown) and SIGINT (Ctrl+C on a terminal) as a Qt
// signal on the event loop, so that the program can end as its close button ends it instead of
// dying where it stands. One object at a time; the signals' default actions come back when it
// goes. The signals are caught from construction on, so that one arriving while the program
// still builds its windows is not fatal; it is reported once listen() is called.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // Starts reporting, from the event loop, any signal caught since construction.
    void listen();

signals:
    // Emitted once, for the first of the signals to arrive.
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
    bool m_requested = false;
};
