#include "appcore/heaptrim.h"

#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

} // namespace

class TestHeapTrim : public QObject
{
    Q_OBJECT
private slots:
    void pagesFreedOnAWorkerThreadGoBackWhileTheProgramRuns();
};

// What a decoder thread leaves behind: 64 MiB of blocks, all freed but the last, which keeps
// the arena from shrinking by itself.
void TestHeapTrim::pagesFreedOnAWorkerThreadGoBackWhileTheProgramRuns()
{
    if (!HeapTrim::supported())
        QSKIP("this C library cannot hand free heap pages back");
    constexpr int kBlocks = 1024;
    constexpr size_t kBlock = 64 * 1024;
    void *last = nullptr;
    std::thread worker([&] {
        std::vector<void *> blocks;
        for (int i = 0; i < kBlocks; ++i) {
            void *block = std::malloc(kBlock);
            std::memset(block, 0x5a, kBlock);
            blocks.push_back(block);
        }
        last = blocks.back();
        blocks.pop_back();
        for (void *block : blocks)
            std::free(block);
    });
    worker.join();
    const qint64 before = residentBytes();
    QVERIFY(before > 0);

    HeapTrim trim(50);
    QTRY_VERIFY_WITH_TIMEOUT(residentBytes() < before - 32 * 1024 * 1024, 10000);
    std::free(last);
}

QTEST_GUILESS_MAIN(TestHeapTrim)
#include "test_heaptrim.moc"
