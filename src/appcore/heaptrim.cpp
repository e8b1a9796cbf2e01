#include "heaptrim.h"

#include <QThreadPool>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

HeapTrim::HeapTrim(int intervalMs, QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_pool(new QThreadPool)
{
    m_pool->setMaxThreadCount(1);
    if (!supported())
        return;
    // Housekeeping, not schedule: nothing an operator sees depends on its phase, so it keeps
    // to the machine's own timer rather than the schedule's clock.
    m_timer->setInterval(intervalMs);
    m_timer->setTimerType(Qt::VeryCoarseTimer);
    connect(m_timer, &QTimer::timeout, this, &HeapTrim::trimAside);
    m_timer->start();
}

HeapTrim::~HeapTrim()
{
    m_timer->stop();
    m_pool->waitForDone();
}

bool HeapTrim::supported()
{
#if defined(__GLIBC__)
    return true;
#else
    return false;
#endif
}

void HeapTrim::limitHeldMemory()
{
#if defined(__GLIBC__)
    // Left to itself the C library raises both thresholds after the first large block it
    // frees (a decoded frame): from then on every thread's arena keeps up to twice that block
    // free at its top, and a trim never touches an arena's top. With a dozen decoder and
    // rasteriser threads that was 12 MiB an arena, 200 MiB in all after an hour. Fixed
    // thresholds keep at most 1 MiB at each top; blocks of 4 MiB and more (full-HD frames)
    // come straight from the system and go straight back.
    mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
#endif
}

bool HeapTrim::trimNow()
{
#if defined(__GLIBC__)
    malloc_trim(0);
    return true;
#else
    return false;
#endif
}

void HeapTrim::trimAside()
{
    // A trim still running when the next is due (a machine swapping hard) is enough.
    if (m_busy.exchange(true))
        return;
    m_pool->start([this] {
        trimNow();
        m_busy.store(false);
    });
}
