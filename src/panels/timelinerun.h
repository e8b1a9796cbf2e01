#pragma once

#include "timeline.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>

#include <memory>

class QTemporaryFile;

// A run of lumora-simulate over whole days of a scheme, in a child process, read as it
// prints: the same schedulers and play windows the player uses, on the virtual clock. The
// GUI thread never waits for it; a run still going when another starts, or when this goes,
// is killed.
class TimelineRun : public QObject
{
    Q_OBJECT

public:
    explicit TimelineRun(QObject *parent = nullptr);
    ~TimelineRun() override;

    // Where lumora-simulate is: beside the program as installed; in the build tree, where
    // that builds it.
    static QString program();

    // Simulates `scheme` (its encoding as it would be saved) from midnight at the start of
    // `firstDay` over `days` days. Relative media paths name files in `mediaFolder`.
    void start(const QByteArray &scheme, const QString &mediaFolder, const QDate &firstDay, int days);
    void stop();
    // Whether runs give way to the player (something plays): niced, from the next start on
    // and for the one going.
    void setYielding(bool yielding);
    bool isRunning() const { return m_process != nullptr; }
    const Timeline &timeline() const { return m_timeline; }

signals:
    // More of the timeline is in.
    void progressed();
    void finished();
    // The run ended without a timeline; `reason` says why, for the operator.
    void failed(const QString &reason);

private:
    void readOutput();
    void processEnded(int exitCode, QProcess::ExitStatus status);
    void processError(QProcess::ProcessError error);
    void fail(const QString &reason);
    // Lets go of the process, killed if it still runs; it is reaped once it has ended.
    void release();

    QProcess *m_process = nullptr;
    bool m_yielding = false;
    std::unique_ptr<QTemporaryFile> m_file;
    Timeline m_timeline;
    QByteArray m_pending; // output after the last complete line
    QByteArray m_errors;  // what the child said on standard error, its end
};
