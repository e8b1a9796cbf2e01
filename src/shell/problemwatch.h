#pragma once

#include "model/schemelocation.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

template<typename T> class QFutureWatcher;

// Keeps the problems of the scheme being edited, as `lumora-scheme check` reports them
// (SchemeProblems): the main window hands over the scheme's encoding as it stands after each
// step, and a second after the last one the encoding is decoded and checked on a worker thread,
// so that opening videos and reading picture headers never hold the GUI thread. A run whose
// scheme has changed meanwhile is dropped, and the scheme as it stands is checked next.
class ProblemWatch : public QObject
{
    Q_OBJECT

public:
    struct Problem
    {
        QString where;   // as the check names it, e.g. displayWindows[0].generalSegments[1]
        QString message; // one line, in the language of the run
        SchemeLocation location;
    };

    // How long the scheme must stay unchanged before it is checked: steps in a row (typing
    // into a panel field) make one check.
    static constexpr int SettleMsecs = 1000;

    explicit ProblemWatch(QObject *parent = nullptr);

    // The scheme as it stands (its .schx encoding), whose relative media paths name files in
    // `baseFolder`; checked once it has settled, unless it is what was checked last.
    void setScheme(const QByteArray &encoding, const QString &baseFolder);
    // Checks the scheme given last without waiting for it to settle.
    void checkNow();
    // Checks the scheme again though it has not changed (the texts are in another language).
    void recheck();

    // Whether problems() are those of the scheme given last.
    bool isCurrent() const;
    // Whether any check has finished yet.
    bool hasChecked() const { return m_hasChecked; }
    const QList<Problem> &problems() const { return m_problems; }

signals:
    // problems() are those of the scheme given last.
    void checked();

private:
    struct Key
    {
        QByteArray encoding;
        QString baseFolder;
        int round = 0; // counts recheck()s
        bool operator==(const Key &other) const
        {
            return encoding == other.encoding && baseFolder == other.baseFolder && round == other.round;
        }
        bool operator!=(const Key &other) const { return !(*this == other); }
    };

    void start();
    void finished();

    QTimer m_settle;
    Key m_wanted;
    Key m_checkedKey;
    Key m_running;
    bool m_hasChecked = false;
    QFutureWatcher<QList<Problem>> *m_run = nullptr;
    QList<Problem> m_problems;
};
