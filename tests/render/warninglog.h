#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Keeps the messages logged while it lives and passes each one on, so that a test can wait
// for what a library reports (mpv's "Failed to open ...") instead of sleeping. One at a time.
class WarningLog
{
public:
    WarningLog()
    {
        Q_ASSERT(!current());
        current() = this;
        m_previous = qInstallMessageHandler(&WarningLog::handle);
    }
    ~WarningLog()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    WarningLog(const WarningLog &) = delete;
    WarningLog &operator=(const WarningLog &) = delete;

    QStringList matching(const QRegularExpression &pattern) const { return m_lines.filter(pattern); }

    bool contains(const QString &part) const
    {
        for (const QString &line : m_lines) {
            if (line.contains(part))
                return true;
        }
        return false;
    }

private:
    static WarningLog *&current()
    {
        static WarningLog *log = nullptr;
        return log;
    }

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        WarningLog *log = current();
        if (!log)
            return;
        log->m_lines << message;
        if (log->m_previous)
            log->m_previous(type, context, message);
    }

    QStringList m_lines;
    QtMessageHandler m_previous = nullptr;
};
