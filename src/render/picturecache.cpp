#include "picturecache.h"

#include "import/picturefile.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPointer>
#include <QtConcurrent>

namespace {
QImage drawPicture(const QString &path, const PictureCache::Look &look)
{
    // Decoded at the window's size first: a camera photo never costs its full pixels here.
    return OfficePageLoader::prepared(PictureFile::decode(path, look.size).image, look);
}
} // namespace

PictureCache *PictureCache::instance()
{
    static QPointer<PictureCache> cache;
    if (!cache)
        cache = new PictureCache(QCoreApplication::instance());
    return cache;
}

PictureCache::PictureCache(QObject *parent)
    : QObject(parent)
{}

PictureCache::~PictureCache()
{
    // A drawing still running finishes into nothing.
    for (Entry *e : qAsConst(m_entries)) {
        delete e->pending;
        delete e;
    }
}

PictureCache::Entry *PictureCache::find(const QString &path, const Look &look) const
{
    for (Entry *e : m_entries) {
        if (e->look == look && e->path == path)
            return e;
    }
    return nullptr;
}

PictureCache::Entry *PictureCache::touch(const QString &path, const Look &look)
{
    if (Entry *e = find(path, look)) {
        m_entries.removeOne(e);
        m_entries.append(e);
        return e;
    }
    auto *e = new Entry;
    e->path = path;
    e->look = look;
    e->pending = new QFutureWatcher<QImage>(this);
    connect(e->pending, &QFutureWatcher<QImage>::finished, this, [this, e] {
        if (!m_entries.contains(e))
            return;
        e->image = e->pending->result();
        e->pending->deleteLater();
        e->pending = nullptr;
        trim();
        emit pictureReady(e->path);
    });
    e->pending->setFuture(QtConcurrent::run(&drawPicture, path, look));
    m_entries.append(e);
    trim();
    return e;
}

QImage PictureCache::ready(const QString &path, const Look &look)
{
    if (path.isEmpty() || look.size.isEmpty())
        return QImage();
    Entry *e = touch(path, look);
    return e->pending ? QImage() : e->image;
}

void PictureCache::prepare(const QString &path, const Look &look)
{
    if (!path.isEmpty() && !look.size.isEmpty())
        touch(path, look);
}

bool PictureCache::isReady(const QString &path, const Look &look) const
{
    const Entry *e = find(path, look);
    return e && !e->pending;
}

bool PictureCache::isUnreadable(const QString &path, const Look &look) const
{
    const Entry *e = find(path, look);
    return e && !e->pending && e->image.isNull();
}

qint64 PictureCache::heldBytes() const
{
    qint64 bytes = 0;
    for (const Entry *e : m_entries)
        bytes += e->image.sizeInBytes();
    return bytes;
}

void PictureCache::trim()
{
    // The most recently asked picture always stays, whatever its size; drawings still
    // running are left to finish.
    qint64 bytes = heldBytes();
    for (int i = 0; i < m_entries.size() - 1 && (bytes > m_budget || m_entries.size() > kMaxEntries);) {
        Entry *e = m_entries.at(i);
        if (e->pending) {
            ++i;
            continue;
        }
        bytes -= e->image.sizeInBytes();
        m_entries.removeAt(i);
        delete e;
    }
}
