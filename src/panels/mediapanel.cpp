#include "mediapanel.h"

#include "model/lumoramediaobject.h"

#include <QEvent>
#include <QPointer>

#include <vector>

MediaPanel::MediaPanel(QWidget *parent)
    : QWidget(parent)
{}

void MediaPanel::showMedia(LumoraMediaObject *media, int row)
{
    m_media = media;
    m_row = row;
    if (!media)
        return;
    // Blocking every control keeps the change slots from storing what is only shown. Item
    // models stay unblocked, or their views (lists, tables, combo boxes) would miss the rows;
    // a control the filling deletes is skipped when unblocking.
    const QList<QWidget *> children = findChildren<QWidget *>();
    std::vector<QPointer<QWidget>> blocked;
    blocked.reserve(size_t(children.size()));
    for (QWidget *child : children) {
        if (!child->signalsBlocked()) {
            child->blockSignals(true);
            blocked.emplace_back(child);
        }
    }
    fill(*media);
    for (const QPointer<QWidget> &child : blocked) {
        if (child)
            child->blockSignals(false);
    }
}

void MediaPanel::clearMedia()
{
    m_media = nullptr;
    m_row = -1;
}

void MediaPanel::change(const std::function<void(LumoraMediaObject &)> &store)
{
    if (!m_media)
        return;
    store(*m_media);
    changed();
    announce();
}

void MediaPanel::setBackgroundOf(const std::function<BackgroundFields(LumoraMediaObject &)> &fields)
{
    m_backgroundOf = fields;
}

void MediaPanel::changeBackground(const std::function<bool(const BackgroundFields &)> &edit)
{
    if (!m_media || !m_backgroundOf || !edit(m_backgroundOf(*m_media)))
        return;
    changed();
    announce();
}

void MediaPanel::announce()
{
    if (m_media)
        emit sigLumoraMediaChanged(m_row, m_media);
}

void MediaPanel::retranslate()
{
    retranslateUi();
    if (m_media)
        showMedia(m_media, m_row);
}

void MediaPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
