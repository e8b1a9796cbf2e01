#pragma once

#include <QString>

// Guards against a second running instance with an exclusive lock on a file in this user's
// runtime folder. The kernel drops the lock when its holder ends however it ends, so a killed
// instance never keeps the next start (and with it the abnormal-end recovery) from running, and
// nothing machine-wide (System V keys, /tmp names) can be taken by another user or collide.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &key);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // `base` made particular to this user and this graphical display: two users, or one user on
    // two displays, each run their own instance; the same user twice on one display does not.
    static QString sessionKey(const QString &base);

    // True when this process now holds the key; false while another live process holds it.
    // Where no lock can be made at all (no runtime folder), it says why on stderr and runs:
    // a screen that plays twice is better than one that stays dark.
    bool tryAcquire();
    bool isHeld() const { return m_held; }

    QString lockPath() const;

private:
    QString m_key;
    int m_fd = -1;
    bool m_held = false;
};
