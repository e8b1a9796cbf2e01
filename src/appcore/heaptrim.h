#pragma once

#include <QObject>

#include <atomic>
#include <memory>

class QThreadPool;
class QTimer;

// The C heap keeps what video decoding, picture decoding and the GL rasteriser free on their
// threads: each thread's arena holds its freed blocks for the next allocation, and once a few
// large blocks sit below a live one, resident memory climbs by whole blocks and never comes
// back. Handing the free pages back to the system at a steady interval keeps resident memory
// flat; the pages cost a fault when reused, which at one trim a minute is nothing.
class HeapTrim : public QObject
{
    Q_OBJECT
public:
    explicit HeapTrim(int intervalMs = 60 * 1000, QObject *parent = nullptr);
    ~HeapTrim() override;

    // Caps what each thread's arena keeps at its top. Call before any thread starts.
    static void limitHeldMemory();
    // Trims on the calling thread; false where the C library cannot.
    static bool trimNow();
    static bool supported();

private:
    void trimAside();

    QTimer *m_timer = nullptr;
    // Its own single thread: a trim locks each arena in turn, which the GUI thread must never
    // wait on for longer than an allocation.
    std::unique_ptr<QThreadPool> m_pool;
    // The pool is waited for before this goes, so its task may use the flag directly.
    std::atomic_bool m_busy{false};
};
