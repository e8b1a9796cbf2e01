#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QString>

class Scheme;
class Widget;

// The open scheme: the file it belongs to, and the writing of the main window's scheme to a
// .schx file and the reading of one back into the main window. A file is read and checked
// whole before anything of the current scheme is touched, and written through a temporary
// file, so neither a damaged file nor a failed save costs the operator a scheme. The main
// window asks the operator; this does what was asked.
class Prodoc
{
    Q_DECLARE_TR_FUNCTIONS(Prodoc)

public:
    explicit Prodoc(Widget *mainWindow);

    // The file the scheme was read from or saved to; empty for a scheme that has none yet.
    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    // Whether the scheme differs from what was last opened, saved or taken as the start of a
    // new one. The scheme is encoded as it would be saved and compared, so every edit counts,
    // whatever made it, and an edit taken back again does not.
    bool isModified() const;
    // The same for a scheme already encoded (see encoded()), which is not encoded again.
    bool isModified(const QByteArray &encoding) const { return encoding != m_unmodified; }
    // Takes the scheme as it stands as the unmodified one (after a new scheme is built).
    void markUnmodified() const;

    // The undo history: the scheme as it stood after each of the operator's steps, kept as
    // compressed snapshots of the .schx encoding, at most MaxUndoSteps back. The pictures and
    // office pages a snapshot names are not in it; undone, the play windows find them in
    // their caches.
    static constexpr int MaxUndoSteps = 100;
    // Starts the history afresh at the scheme as it stands (after new and open).
    void resetHistory();
    // Records the scheme as it stands after the step `name`; false when the step changed
    // nothing. A `mergeable` step of the same name and `subject` (the record a panel edits)
    // right after another (typing into a panel field) replaces it, so that one undo takes back
    // the whole entry; an edit of another record is a step of its own.
    bool recordStep(const QString &name, bool mergeable = false, const void *subject = nullptr);
    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < m_history.size(); }
    // The names of the steps undo and redo would take back or do again.
    QString undoName() const { return canUndo() ? m_history.at(m_current).name : QString(); }
    QString redoName() const { return canRedo() ? m_history.at(m_current + 1).name : QString(); }
    bool undo();
    bool redo();
    // Bytes the history holds (the snapshots, compressed).
    qint64 historyBytes() const;

    // Reads and checks `path` whole and only then replaces the main window's scheme by it,
    // which then belongs to that file. On failure returns false with a reason and changes
    // nothing.
    bool open(const QString &path, QString *errorString = nullptr);
    // Reads the recovery copy `copyPath` like open(), but the scheme then belongs to
    // `originPath` (empty: to no file yet) and has unsaved changes: saving it is still the
    // operator's choice.
    bool openRecovered(const QString &copyPath, const QString &originPath, QString *errorString = nullptr);
    // Empties the main window's scheme; what is built next belongs to no file until saved.
    void close();

    // Returns false with a reason when the file could not be written; the previous file then
    // stays as it was. What was written is the unmodified scheme from then on.
    bool save(const QString &path, QString *errorString = nullptr) const;
    // Reads and checks the whole file into `scheme`; on failure returns false with a reason and
    // leaves `scheme` empty.
    bool read(const QString &path, Scheme &scheme, QString *errorString = nullptr) const;
    // Builds `scheme` into the (already cleared) main window; the records move over. A file's
    // scheme is adjusted (media paths beside it, names above its counters); a snapshot of
    // the history is taken exactly as it is.
    enum class Source { File, Snapshot };
    void load(Scheme &scheme, Source source = Source::File);

    // The scheme as save() would write it.
    QByteArray encoded() const { return encode(); }

private:
    QByteArray encode() const;
    // Replaces the main window's scheme by the snapshot `compressed`, exactly as it was.
    bool restore(const QByteArray &compressed);

    struct Step
    {
        QString name; // of the step that led to this state; empty for the first
        QByteArray scheme;
        bool mergeable = false;
        const void *subject = nullptr; // compared only, never followed
    };
    QList<Step> m_history;
    int m_current = -1;
    QElapsedTimer m_lastStep;

    Widget *m_mainWindow;
    QString m_path;
    mutable QByteArray m_unmodified; // the scheme as last opened, saved or started
    mutable QString m_schemeFolder;  // of the file read last
};
