#pragma once

#include <QImage>
#include <QSharedPointer>
#include <QVector>

class OfficePageSource;

// The pages of an office item. Pages are drawn when asked for, from a source (the cached PDF),
// so an item holds no pictures however many pages it has; pictures appended directly (small
// generated pages) are kept as they are. Copies share the source.
class OfficePageList
{
public:
    OfficePageList() = default;
    explicit OfficePageList(QSharedPointer<const OfficePageSource> source);

    int size() const;
    bool isEmpty() const { return size() == 0; }
    // Page `index` (null when it cannot be drawn): slow for a source, call off the GUI thread.
    QImage at(int index) const;
    void append(const QImage &page);
    // Same pages: same source, same appended pictures.
    bool sameAs(const OfficePageList &other) const;
    // A value identifying these pages while they live (for caches of drawn pages).
    const void *identity() const;

private:
    QSharedPointer<const OfficePageSource> m_source;
    QVector<QImage> m_images;
};
