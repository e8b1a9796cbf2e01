#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <memory>

// `lumora-fleet collect` as an operator runs it, for the tests: its output gathered over every
// run of the test, so that a failure can show what each run said.
class CollectorProcess
{
public:
    // Starts a new run and waits until it says it is connected to the broker.
    bool start(const QString &tool, const QString &caFolder, const QString &database)
    {
        const int before = log().count(QStringLiteral("connected to the broker"));
        m_process = std::make_unique<QProcess>();
        m_process->setProcessChannelMode(QProcess::MergedChannels);
        m_process->start(tool, {QStringLiteral("--ca"), caFolder, QStringLiteral("collect"),
                                QStringLiteral("--db"), database});
        if (!m_process->waitForStarted(10000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (log().count(QStringLiteral("connected to the broker")) <= before) {
            if (timer.elapsed() > 30000)
                return false;
            QTest::qWait(50);
        }
        return true;
    }

    QString log()
    {
        if (m_process)
            m_log += QString::fromLocal8Bit(m_process->readAll());
        return m_log;
    }

    QProcess *process() const { return m_process.get(); }
    void reset() { m_process.reset(); }

private:
    std::unique_ptr<QProcess> m_process;
    QString m_log;
};
