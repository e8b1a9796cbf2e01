#include "singleinstance.h"

#include <QRegularExpression>

#include <unistd.h>

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

QString SingleInstance::sessionKey(const QString &base)
{
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    // ":0" and ":0.0" are one display; the key keeps to characters a file name can hold.
    display.remove(QRegularExpression(QStringLiteral("\\.\\d+$")));
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    return QStringLiteral("%1-%2-%3").arg(base).arg(::getuid()).arg(display);
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
