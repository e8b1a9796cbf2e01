#pragma once

#include "officepageloader.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

template<typename T> class QFutureWatcher;

// The picture files the play windows show, decoded off the GUI thread and already scaled and
// turned for the window that asked, shared by every play window of the process. Records keep
// only the path: what is held here is bounded by a byte budget, the least recently asked
// pictures going first, so importing or loading any number of photos costs no memory until
// they play. A window asks for the picture it shows now, the next item's and its first
// item's ahead of time, so the hand-over to a picture finds it ready.
class PictureCache : public QObject
{
    Q_OBJECT

public:
    using Look = OfficePageLoader::Look;

    static PictureCache *instance();

    // The picture when it has been drawn (null if the file cannot be read); otherwise starts
    // drawing it (pictureReady follows) and returns a null picture.
    QImage ready(const QString &path, const Look &look);
    // Starts drawing a picture that will be wanted soon.
    void prepare(const QString &path, const Look &look);
    bool isReady(const QString &path, const Look &look) const;
    // Drawn, and nothing came of it: the file is not there or not a picture.
    bool isUnreadable(const QString &path, const Look &look) const;

    qint64 heldBytes() const;
    void setBudget(qint64 bytes) { m_budget = bytes; }

signals:
    void pictureReady(const QString &path);

private:
    explicit PictureCache(QObject *parent);
    ~PictureCache() override;

    struct Entry
    {
        QString path;
        Look look;
        QImage image;
        QFutureWatcher<QImage> *pending = nullptr;
    };
    Entry *find(const QString &path, const Look &look) const;
    // Finds or starts the entry and makes it the most recently asked.
    Entry *touch(const QString &path, const Look &look);
    void trim();

    QList<Entry *> m_entries; // least recently asked first
    // A few full-screen pictures per window of a busy scheme; far below what the photos
    // themselves would cost.
    qint64 m_budget = 256 * 1024 * 1024;
    // Unreadable files are remembered too (they cost nothing); this caps how many.
    static constexpr int kMaxEntries = 256;
};
