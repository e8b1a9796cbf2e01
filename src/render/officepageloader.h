#pragma once

#include "model/officepagelist.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>

template<typename T> class QFutureWatcher;

// Draws office pages for a play window off the GUI thread, scaled and turned for the picture
// label, and keeps only the few it was asked for last (the page on show and the next one),
// so a play window holds a page or two however long the document is.
class OfficePageLoader : public QObject
{
    Q_OBJECT

public:
    struct Look
    {
        QSize size;
        bool keepAspect = false;
        int degrees = 0;
        bool operator==(const Look &o) const
        {
            return size == o.size && keepAspect == o.keepAspect && degrees == o.degrees;
        }
    };

    explicit OfficePageLoader(QObject *parent = nullptr);
    ~OfficePageLoader() override;

    // The page when it has been drawn; otherwise starts drawing it (pageReady follows) and
    // returns a null picture.
    QImage ready(const OfficePageList &pages, int index, const Look &look);
    // Starts drawing a page that will be wanted soon.
    void prepare(const OfficePageList &pages, int index, const Look &look);
    // Drops every page kept.
    void clear();

    // The picture of `source` for `look` (what the worker does).
    static QImage prepared(const QImage &source, const Look &look);

signals:
    void pageReady(const void *identity, int index);

private:
    struct Entry
    {
        OfficePageList pages;
        int index = 0;
        Look look;
        QImage image;
        QFutureWatcher<QImage> *pending = nullptr;
    };
    Entry *find(const OfficePageList &pages, int index, const Look &look);
    Entry *start(const OfficePageList &pages, int index, const Look &look);

    QList<Entry *> m_entries; // oldest first
    static constexpr int kKept = 3;
};
