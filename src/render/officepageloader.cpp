#include "officepageloader.h"

#include <QFutureInterface>
#include <QFutureWatcher>
#include <QThreadPool>
#include <QTransform>

OfficePageLoader::OfficePageLoader(QObject *parent)
    : QObject(parent)
{}

OfficePageLoader::~OfficePageLoader()
{
    clear();
}

QImage OfficePageLoader::prepared(const QImage &source, const Look &look)
{
    if (source.isNull() || look.size.isEmpty())
        return QImage();
    QImage shown = source.scaled(look.size, look.keepAspect ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    if (look.degrees != 0)
        shown = shown.transformed(QTransform().rotate(look.degrees), Qt::SmoothTransformation);
    return shown;
}

OfficePageLoader::Entry *OfficePageLoader::find(const OfficePageList &pages, int index, const Look &look)
{
    for (Entry *e : qAsConst(m_entries)) {
        if (e->index == index && e->look == look && e->pages.sameAs(pages))
            return e;
    }
    return nullptr;
}

QImage OfficePageLoader::ready(const OfficePageList &pages, int index, const Look &look)
{
    if (index < 0 || index >= pages.size() || look.size.isEmpty())
        return QImage();
    Entry *e = find(pages, index, look);
    if (!e)
        e = start(pages, index, look);
    return e->pending ? QImage() : e->image;
}

void OfficePageLoader::prepare(const OfficePageList &pages, int index, const Look &look)
{
    if (index < 0 || index >= pages.size() || look.size.isEmpty() || find(pages, index, look))
        return;
    start(pages, index, look);
}

OfficePageLoader::Entry *OfficePageLoader::start(const OfficePageList &pages, int index, const Look &look)
{
    while (m_entries.size() >= kKept) {
        Entry *old = m_entries.takeFirst();
        delete old->pending; // a drawing still running finishes into nothing
        delete old;
    }
    auto *e = new Entry;
    e->pages = pages;
    e->index = index;
    e->look = look;
    m_entries.append(e);

    QFutureInterface<QImage> work;
    work.reportStarted();
    e->pending = new QFutureWatcher<QImage>(this);
    connect(e->pending, &QFutureWatcher<QImage>::finished, this, [this, e] {
        if (!m_entries.contains(e))
            return;
        e->image = e->pending->future().resultCount() ? e->pending->result() : QImage();
        e->pending->deleteLater();
        e->pending = nullptr;
        emit pageReady(e->pages.identity(), e->index);
    });
    e->pending->setFuture(work.future());
    QThreadPool::globalInstance()->start([work, pages, index, look]() mutable {
        work.reportResult(prepared(pages.at(index), look));
        work.reportFinished();
    });
    return e;
}

void OfficePageLoader::clear()
{
    for (Entry *e : qAsConst(m_entries)) {
        delete e->pending;
        delete e;
    }
    m_entries.clear();
}
