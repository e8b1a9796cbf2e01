#pragma once

#include <QSharedMemory>
#include <QString>

// Guards against a second running instance with a one-byte shared-memory segment.
// A System V segment outlives a killed process, so a stale segment left by a
// crashed instance is removed before creating ours; otherwise the next start
// (and with it the abnormal-end recovery) could never run again.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &key);
    ~SingleInstance();

    // `base` made particular to this user and this graphical display: two users, or one user on
    // two displays, each run their own instance; the same user twice on one display does not.
    static QString sessionKey(const QString &base);

    // True when this process now holds the key; false while another live process holds it.
    bool tryAcquire();
    bool isHeld() const { return m_held; }

private:
    QString m_key;
    QSharedMemory m_memory;
    bool m_held = false;
};
