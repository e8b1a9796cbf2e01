// Preloaded (LD_PRELOAD) into a program that links the system's SQLite, so that lumora-log and the
// sqlite3 shell are measured alike without a change to either: every read of a main database file
// goes through a VFS that counts it, and the count is appended to the file named by
// LUMORA_SQLITE_READS as "<reads> <bytes>" when the program exits. The VFS is put in at the
// program's first open, not at load: registering a VFS initializes SQLite, after which the
// program's own sqlite3_config calls would fail (the shell says so on its output). Without mmap (SQLite's
// default) a database page leaves the file only through xRead, one page per call, so the count is the number
// of pages read, plus one small read of the header per transaction that finds its cache still valid.

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <sqlite3.h>

namespace {

std::atomic<long long> reads{0};
std::atomic<long long> bytes{0};
sqlite3_vfs *real = nullptr;
sqlite3_vfs counting;

struct CountingFile
{
    sqlite3_file base;
    bool mainDb;
    sqlite3_file *inner() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

CountingFile *self(sqlite3_file *file)
{
    return reinterpret_cast<CountingFile *>(file);
}

sqlite3_file *inner(sqlite3_file *file)
{
    return self(file)->inner();
}

int xClose(sqlite3_file *f)
{
    return inner(f)->pMethods->xClose(inner(f));
}

int xRead(sqlite3_file *f, void *data, int amount, sqlite3_int64 offset)
{
    if (self(f)->mainDb) {
        ++reads;
        bytes += amount;
    }
    return inner(f)->pMethods->xRead(inner(f), data, amount, offset);
}

int xWrite(sqlite3_file *f, const void *data, int amount, sqlite3_int64 offset)
{
    return inner(f)->pMethods->xWrite(inner(f), data, amount, offset);
}

int xTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    return inner(f)->pMethods->xTruncate(inner(f), size);
}

int xSync(sqlite3_file *f, int flags)
{
    return inner(f)->pMethods->xSync(inner(f), flags);
}

int xFileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return inner(f)->pMethods->xFileSize(inner(f), size);
}

int xLock(sqlite3_file *f, int level)
{
    return inner(f)->pMethods->xLock(inner(f), level);
}

int xUnlock(sqlite3_file *f, int level)
{
    return inner(f)->pMethods->xUnlock(inner(f), level);
}

int xCheckReservedLock(sqlite3_file *f, int *out)
{
    return inner(f)->pMethods->xCheckReservedLock(inner(f), out);
}

int xFileControl(sqlite3_file *f, int op, void *arg)
{
    // Memory-mapped reads would bypass the count: refuse them.
    if (op == SQLITE_FCNTL_MMAP_SIZE)
        return SQLITE_NOTFOUND;
    return inner(f)->pMethods->xFileControl(inner(f), op, arg);
}

int xSectorSize(sqlite3_file *f)
{
    return inner(f)->pMethods->xSectorSize(inner(f));
}

int xDeviceCharacteristics(sqlite3_file *f)
{
    return inner(f)->pMethods->xDeviceCharacteristics(inner(f));
}

int xShmMap(sqlite3_file *f, int region, int size, int extend, void volatile **out)
{
    return inner(f)->pMethods->xShmMap(inner(f), region, size, extend, out);
}

int xShmLock(sqlite3_file *f, int offset, int n, int flags)
{
    return inner(f)->pMethods->xShmLock(inner(f), offset, n, flags);
}

void xShmBarrier(sqlite3_file *f)
{
    inner(f)->pMethods->xShmBarrier(inner(f));
}

int xShmUnmap(sqlite3_file *f, int deleteFlag)
{
    return inner(f)->pMethods->xShmUnmap(inner(f), deleteFlag);
}

int xFetch(sqlite3_file *, sqlite3_int64, int, void **out)
{
    *out = nullptr; // no mapping: SQLite reads the page through xRead instead
    return SQLITE_OK;
}

int xUnfetch(sqlite3_file *, sqlite3_int64, void *)
{
    return SQLITE_OK;
}

const sqlite3_io_methods methods = {3,
                                    xClose,
                                    xRead,
                                    xWrite,
                                    xTruncate,
                                    xSync,
                                    xFileSize,
                                    xLock,
                                    xUnlock,
                                    xCheckReservedLock,
                                    xFileControl,
                                    xSectorSize,
                                    xDeviceCharacteristics,
                                    xShmMap,
                                    xShmLock,
                                    xShmBarrier,
                                    xShmUnmap,
                                    xFetch,
                                    xUnfetch};

int xOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    CountingFile *f = self(file);
    f->base.pMethods = nullptr;
    const int rc = real->xOpen(real, name, f->inner(), flags, outFlags);
    if (f->inner()->pMethods) {
        f->mainDb = (flags & SQLITE_OPEN_MAIN_DB) != 0;
        f->base.pMethods = &methods;
    }
    return rc;
}

int xDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    return real->xDelete(real, name, syncDir);
}

int xAccess(sqlite3_vfs *, const char *name, int flags, int *out)
{
    return real->xAccess(real, name, flags, out);
}

int xFullPathname(sqlite3_vfs *, const char *name, int size, char *out)
{
    return real->xFullPathname(real, name, size, out);
}

void *xDlOpen(sqlite3_vfs *, const char *name)
{
    return real->xDlOpen(real, name);
}

void xDlError(sqlite3_vfs *, int size, char *out)
{
    real->xDlError(real, size, out);
}

void (*xDlSym(sqlite3_vfs *, void *handle, const char *symbol))(void)
{
    return real->xDlSym(real, handle, symbol);
}

void xDlClose(sqlite3_vfs *, void *handle)
{
    real->xDlClose(real, handle);
}

int xRandomness(sqlite3_vfs *, int size, char *out)
{
    return real->xRandomness(real, size, out);
}

int xSleep(sqlite3_vfs *, int microseconds)
{
    return real->xSleep(real, microseconds);
}

int xCurrentTime(sqlite3_vfs *, double *out)
{
    return real->xCurrentTime(real, out);
}

int xGetLastError(sqlite3_vfs *, int size, char *out)
{
    return real->xGetLastError(real, size, out);
}

int xCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *out)
{
    return real->xCurrentTimeInt64(real, out);
}

void install()
{
    real = sqlite3_vfs_find(nullptr);
    if (!real)
        return;
    counting.iVersion = 2;
    counting.szOsFile = int(sizeof(CountingFile)) + real->szOsFile;
    counting.mxPathname = real->mxPathname;
    counting.zName = "lumora-counting";
    counting.xOpen = xOpen;
    counting.xDelete = xDelete;
    counting.xAccess = xAccess;
    counting.xFullPathname = xFullPathname;
    counting.xDlOpen = xDlOpen;
    counting.xDlError = xDlError;
    counting.xDlSym = xDlSym;
    counting.xDlClose = xDlClose;
    counting.xRandomness = xRandomness;
    counting.xSleep = xSleep;
    counting.xCurrentTime = xCurrentTime;
    counting.xGetLastError = xGetLastError;
    counting.xCurrentTimeInt64 = xCurrentTimeInt64;
    sqlite3_vfs_register(&counting, 1);
}

void installOnce()
{
    static std::once_flag once;
    std::call_once(once, install);
}

__attribute__((destructor)) void report()
{
    const char *path = getenv("LUMORA_SQLITE_READS");
    if (!path || !*path)
        return;
    if (FILE *out = fopen(path, "a")) {
        fprintf(out, "%lld %lld\n", reads.load(), bytes.load());
        fclose(out);
    }
}

} // namespace

extern "C" int sqlite3_open_v2(const char *name, sqlite3 **db, int flags, const char *vfs)
{
    static const auto next = reinterpret_cast<int (*)(const char *, sqlite3 **, int, const char *)>(
        dlsym(RTLD_NEXT, "sqlite3_open_v2"));
    installOnce();
    return next(name, db, flags, vfs);
}

extern "C" int sqlite3_open(const char *name, sqlite3 **db)
{
    static const auto next =
        reinterpret_cast<int (*)(const char *, sqlite3 **)>(dlsym(RTLD_NEXT, "sqlite3_open"));
    installOnce();
    return next(name, db);
}
