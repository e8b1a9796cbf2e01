#pragma once

#include "model/officepagelist.h"

#include <QSharedPointer>

#include <QList>
#include <QObject>
#include <QStringList>

class CommonWinObject;
class ImportProgressDialog;
class OfficeJob;
class PreparedMedia;
class ProjectTree;
template<typename T> class QFutureWatcher;

// One run of "Add Media" -> "File" after the dialog: the chosen files, in the order given,
// become media items at the end of the selected window's list. Text files are read on worker
// threads, a few ahead of the item being added, so the window repaints and the progress
// dialog's Cancel answers throughout; items are still added one by one, in order, on the GUI
// thread. A cancelled import keeps the items added so far. Pictures are only named here: the
// play windows decode them when they play.
//
// The import deletes itself when it ends.
class MediaImport : public QObject
{
    Q_OBJECT

public:
    // `tree`'s selected window item is the target; it must stay selected-able by its names
    // (segment, page, window) for the import to go on.
    MediaImport(ProjectTree *tree, const QStringList &paths);
    ~MediaImport() override;

    // False when nothing was started (no window selected, or no file of a known kind); the
    // import is then already scheduled for deletion.
    bool start();
    void cancel();

    ImportProgressDialog *progressDialog() const { return m_dialog; }
    bool wasCancelled() const { return m_cancelled; }
    bool isRunning() const { return !m_finished; }

signals:
    // The import has ended, completed or not; `added` items were appended.
    void finished(int added);

private:
    struct Job
    {
        QString path;
        QString kind;
        QFutureWatcher<PreparedMedia> *watcher = nullptr;
    };

    void launchJobs();
    void takeFinishedJobs();
    bool addItem(const PreparedMedia &prepared, const OfficePageList *officePages = nullptr);
    // An office document goes through the conversion queue; the import waits for it, in order.
    void convertOffice(int step, const PreparedMedia &prepared);
    void officeFinished(int step, const PreparedMedia &prepared);
    void advanceAfter(int step);
    CommonWinObject *targetWindow() const;
    void finish();

    ProjectTree *m_tree;
    QList<Job> m_jobs; // every accepted file, in order
    int m_launched = 0;
    int m_taken = 0;
    int m_added = 0;
    bool m_cancelled = false;
    bool m_finished = false;
    bool m_taking = false;
    ImportProgressDialog *m_dialog = nullptr;
    CommonWinObject *m_window = nullptr;
    QString m_segmentKind;
    QString m_segmentName;
    QString m_programName;
    QString m_windowName;
    QStringList m_cutTexts;
    QString m_stopMessage;
    QStringList m_skipMessages;
    QSharedPointer<OfficeJob> m_office;
};
