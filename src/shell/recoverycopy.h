#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

class Prodoc;

// The copy of a scheme with unsaved changes that a crash, a killed session or a power cut
// leaves behind: written every minute while there are changes, off the GUI thread, and gone
// again once the changes are saved or given up. Each session writes its own file in the state
// directory, so a copy found at start is one a previous session left.
//
// A copy is "recovery-<session>.schx", a scheme file like any other, beside
// "recovery-<session>.txt", which holds the path of the file the changes belong to (empty for a
// scheme that had none yet).
class RecoveryCopy : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultIntervalMsecs = 60 * 1000;

    explicit RecoveryCopy(Prodoc *document, QObject *parent = nullptr);
    ~RecoveryCopy() override;

    void setInterval(int msecs) { m_timer.setInterval(msecs); }
    QString copyPath() const { return m_copyPath; }
    // Whether this session has a copy on disk (or one on its way there).
    bool hasCopy() const { return !m_written.isEmpty(); }

    // To be called whenever the document may have changed state (`modified`: it has unsaved
    // changes, as Prodoc::isModified() found): with unsaved changes the
    // copy is kept up to date every interval; without any, this session's copy goes.
    void update(bool modified);
    // Writes the copy now when there are unsaved changes and it is not up to date.
    void writeNow();
    // Removes this session's copy: the changes were saved or the operator gave them up.
    void discard();
    // Blocks until every queued write and removal is done (at the end of the program).
    void waitForDisk();

    struct Found
    {
        QString copyPath;
        QString originPath; // empty: the scheme had no file yet
        QDateTime savedAt;
    };
    // The newest copy a previous session left in the state directory; false when none.
    bool findPrevious(Found *found) const;
    // Removes every copy a previous session left.
    void discardPrevious() const;

private:
    QString originPathOf(const QString &copyPath) const;
    QStringList previousCopies() const;

    Prodoc *m_document;
    QString m_copyPath;
    QByteArray m_written; // the encoding last queued for writing; empty when none is on disk
    QTimer m_timer;
    QThreadPool m_disk; // one thread: writes and removals land in the order they were made
};
