#include "officepagelist.h"

#include "officepagesource.h"

OfficePageList::OfficePageList(QSharedPointer<const OfficePageSource> source)
    : m_source(std::move(source))
{}

int OfficePageList::size() const
{
    return (m_source ? m_source->count() : 0) + m_images.size();
}

QImage OfficePageList::at(int index) const
{
    const int fromSource = m_source ? m_source->count() : 0;
    if (index < 0)
        return QImage();
    if (index < fromSource)
        return m_source->page(index);
    index -= fromSource;
    return index < m_images.size() ? m_images.at(index) : QImage();
}

void OfficePageList::append(const QImage &page)
{
    m_images.append(page);
}

bool OfficePageList::sameAs(const OfficePageList &other) const
{
    if (m_source != other.m_source || m_images.size() != other.m_images.size())
        return false;
    for (int i = 0; i < m_images.size(); ++i) {
        if (m_images.at(i).cacheKey() != other.m_images.at(i).cacheKey())
            return false;
    }
    return true;
}

const void *OfficePageList::identity() const
{
    if (m_source)
        return m_source.data();
    return m_images.isEmpty() ? nullptr : m_images.constFirst().constBits();
}
