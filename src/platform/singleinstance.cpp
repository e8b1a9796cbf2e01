#include "singleinstance.h"

SingleInstance::SingleInstance(const QString &key)
    : m_key(key)
    , m_memory(key)
{
}

SingleInstance::~SingleInstance()
{
    if (m_held)
        m_memory.detach();
}

bool SingleInstance::tryAcquire()
{
    if (m_held)
        return true;
    {
        // Detaching the last attachment destroys the segment, which clears one
        // abandoned by a killed instance; a live holder keeps it alive.
        QSharedMemory stale(m_key);
        if (stale.attach())
            stale.detach();
    }
    m_held = m_memory.create(1, QSharedMemory::ReadWrite);
    return m_held;
}
