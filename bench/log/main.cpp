// A month of busy play: one million rows over 30 days. Prints the times of a one-day keyword
// search and of a 30-day summary through lumora-log and through the viewer's model, and the
// viewer's memory before and after it scrolled through the whole month. Then the same month in a
// log without the beginDate index (an older file, or one copied from another PC): the pages
// lumora-log reads for the one-day search and its time, against the sqlite3 shell running the
// same query on the same file.

#include "buildpaths.h"
#include "log/databaseconn.h"
#include "log/playlogreader.h"
#include "log/playlogtablemodel.h"
#include "log/viewer/journalwin.h"
#include "playlogfixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

constexpr int Rows = 1000000;
constexpr int Days = 30;
constexpr int Repeats = 5;
constexpr int Alternations = 10;

qint64 statusKb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// CPU time per run, in milliseconds: on a shared machine the wall time mostly measures the
// other processes.
double lastCpuMs = 0;

// Best wall time of a few runs, in milliseconds; lastCpuMs gets the mean CPU time of this
// process and its children per run.
double best(const std::function<void()> &work)
{
    double fastest = 1e12;
    const double cpuBefore = cpuMs(RUSAGE_SELF) + cpuMs(RUSAGE_CHILDREN);
    for (int i = 0; i < Repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        fastest = std::min(fastest, timer.nsecsElapsed() / 1e6);
    }
    lastCpuMs = (cpuMs(RUSAGE_SELF) + cpuMs(RUSAGE_CHILDREN) - cpuBefore) / Repeats;
    return fastest;
}

// Best wall time and least CPU time of the runs of one child program, in milliseconds.
struct Timing
{
    double wallMs = 1e12;
    double cpuMs = 1e12;
};

void timeChild(const std::function<void()> &run, Timing *timing)
{
    const double cpuBefore = cpuMs(RUSAGE_CHILDREN);
    QElapsedTimer timer;
    timer.start();
    run();
    timing->wallMs = std::min(timing->wallMs, timer.nsecsElapsed() / 1e6);
    timing->cpuMs = std::min(timing->cpuMs, cpuMs(RUSAGE_CHILDREN) - cpuBefore);
}

int runTool(const QStringList &args, qint64 *lines)
{
    QProcess tool;
    tool.start(BuildPaths::path("LUMORA_LOG_TOOL"), args);
    tool.waitForFinished(-1);
    *lines = tool.readAllStandardOutput().count('\n') - 1;
    return tool.exitCode();
}

// The output of `program`. With `pageReads`, the program runs with the counting VFS preloaded
// (bench/log/sqlitereads.cpp) and *pageReads gets the reads it made of its database files.
QByteArray runProgram(const QString &program, const QStringList &args, const QString &countFile,
                      qint64 *pageReads = nullptr)
{
    QProcess process;
    if (pageReads) {
        QFile::remove(countFile);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), BuildPaths::path("LUMORA_SQLITE_READS_LIB"));
        env.insert(QStringLiteral("LUMORA_SQLITE_READS"), countFile);
        process.setProcessEnvironment(env);
    }
    process.start(program, args);
    if (!process.waitForFinished(600000))
        process.kill();
    if (pageReads) {
        QFile counts(countFile);
        *pageReads =
            counts.open(QIODevice::ReadOnly) ? counts.readLine().split(' ').value(0).toLongLong() : -1;
    }
    return process.readAllStandardOutput();
}

qint64 pageCount(const QString &path)
{
    qint64 pages = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("pages"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(db);
        if (db.open() && query.exec(QStringLiteral("pragma page_count")) && query.next())
            pages = query.value(0).toLongLong();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pages"));
    return pages;
}

// Without the index: lumora-log's one-day keyword search against the sqlite3 shell's.
void unindexedSearch(const QString &folder, const QString &indexedDb)
{
    const QString db = folder + QStringLiteral("/unindexed.db");
    const QString counts = folder + QStringLiteral("/reads.txt");
    QElapsedTimer build;
    build.start();
    if (!PlayLogFixture::addBusyMonth(db, Rows, Days, PlayLogFixture::Index::None)) {
        fprintf(stderr, "could not build the log without the index\n");
        return;
    }
    printf("\nlog without the beginDate index: %d rows, %.1f MB, %lld pages, built in %.0f ms\n", Rows,
           QFile(db).size() / 1048576.0, pageCount(db), build.nsecsElapsed() / 1e6);
    printf("(pages read: reads of the database file, counted by a VFS preloaded into each program)\n");

    const QString tool = BuildPaths::path("LUMORA_LOG_TOOL");
    const QStringList search{"search", "--db",       db,          "--from", "2026-01-15",
                             "--to",   "2026-01-15", "--keyword", "item-3"};
    qint64 toolReads = -1;
    const QByteArray toolOut = runProgram(tool, search, counts, &toolReads);
    qint64 indexedReads = -1;
    QStringList onIndexed = search;
    onIndexed[2] = indexedDb;
    runProgram(tool, onIndexed, counts, &indexedReads);

    // What the tool asks, in the shell's tab-separated form: the same bytes as the tool's rows.
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    const QStringList query{
        "-readonly", "-tabs", db,
        "select name,length,beginDate||' '||beginTime,endDate||' '||endTime,result from LOGINFOS "
        "where beginDate>='2026-01-15' and beginDate<='2026-01-15' and name like '%item-3%' escape '\\' "
        "order by rowid"};
    qint64 shellReads = -1;
    const QByteArray shellOut =
        shell.isEmpty() ? QByteArray() : runProgram(shell, query, counts, &shellReads);

    // The two run in turn, so that a change in the load of a shared machine falls on both.
    Timing toolTime;
    Timing shellTime;
    for (int i = 0; i < Alternations; ++i) {
        timeChild([&] { runProgram(tool, search, counts); }, &toolTime);
        if (!shell.isEmpty())
            timeChild([&] { runProgram(shell, query, counts); }, &shellTime);
    }
    printf("lumora-log search, one day, keyword:   %8.1f ms, %6.1f ms CPU, %6lld pages read (%lld rows)\n",
           toolTime.wallMs, toolTime.cpuMs, toolReads, qint64(toolOut.count('\n') - 1));
    printf("  the same on the indexed log:                             %6lld pages read\n", indexedReads);
    if (shell.isEmpty()) {
        printf("sqlite3 shell: not installed (package sqlite3)\n");
    } else {
        const bool same = toolOut.mid(toolOut.indexOf('\n') + 1) == shellOut;
        printf("sqlite3 shell, the same query:         %8.1f ms, %6.1f ms CPU, %6lld pages read (%lld rows, "
               "%s)\n",
               shellTime.wallMs, shellTime.cpuMs, shellReads, qint64(shellOut.count('\n')),
               same ? "the same rows" : "ROWS DIFFER");
        printf("lumora-log / sqlite3: %.2fx the time, %.2fx the CPU, %.3fx the pages (best of %d runs each, "
               "process start included)\n",
               toolTime.wallMs / shellTime.wallMs, toolTime.cpuMs / shellTime.cpuMs,
               double(toolReads) / double(shellReads), Alternations);
    }

    qint64 summaryReads = -1;
    const QStringList summary{"summary", "--db", db, "--from", "2026-01-01", "--to", "2026-01-30"};
    const qint64 items = runProgram(tool, summary, counts, &summaryReads).count('\n') - 1;
    const double summaryMs = best([&] { runProgram(tool, summary, counts); });
    printf("lumora-log summary, 30 days:           %8.1f ms, %6.1f ms CPU, %6lld pages read (%lld items)\n",
           summaryMs, lastCpuMs, summaryReads, items);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("log.db"));
    dataBaseConn::setDatabasePath(db);

    QElapsedTimer build;
    build.start();
    if (!PlayLogFixture::addBusyMonth(db, Rows, Days)) {
        fprintf(stderr, "could not build the log\n");
        return 1;
    }
    printf("log: %d rows over %d days, %.1f MB, built in %.0f ms\n", Rows, Days, QFile(db).size() / 1048576.0,
           build.nsecsElapsed() / 1e6);

    const QString day = QStringLiteral("2026-01-15");
    const QString first = QStringLiteral("2026-01-01");
    const QString last = QStringLiteral("2026-01-30");
    qint64 lines = 0;
    const double toolDay = best([&] {
        runTool({"search", "--db", db, "--from", day, "--to", day, "--keyword", "item-3"}, &lines);
    });
    printf(
        "lumora-log search, one day, keyword:   %8.1f ms, %6.1f ms CPU (%lld rows, process start included)\n",
        toolDay, lastCpuMs, lines);
    const double toolSummary = best([&] {
        runTool({"summary", "--db", db, "--from", first, "--to", last}, &lines);
    });
    printf("lumora-log summary, 30 days:           %8.1f ms, %6.1f ms CPU (%lld items)\n", toolSummary,
           lastCpuMs, lines);
    const double toolEmpty = best([&] { runTool({"--version"}, &lines); });
    printf("lumora-log --version (process start):  %8.1f ms\n", toolEmpty);
    unindexedSearch(dir.path(), db);
    printf("\n");

    PlayLogFilter oneDay;
    oneDay.from = oneDay.to = QDate(2026, 1, 15);
    oneDay.keyword = QStringLiteral("item-3");
    PlayLogTableModel model;
    model.setPath(db);
    const double modelOpen = best([&] { model.search(oneDay); });
    printf("model, one day, keyword, first page:   %8.1f ms, %6.1f ms CPU (%d rows shown)\n", modelOpen,
           lastCpuMs, model.rowCount());
    const double modelAll = best([&] {
        model.search(oneDay);
        while (model.canFetchMore(QModelIndex()))
            model.fetchMore(QModelIndex());
    });
    printf("model, one day, keyword, every row:    %8.1f ms, %6.1f ms CPU (%d rows)\n", modelAll, lastCpuMs,
           model.rowCount());

    PlayLogFilter month;
    month.from = QDate(2026, 1, 1);
    month.to = QDate(2026, 1, 30);
    QVector<PlayLogSummaryRow> summary;
    QVector<QPair<QString, qint64>> perDay;
    const double readerSummary = best([&] {
        summary.clear();
        perDay.clear();
        PlayLogReader reader(db);
        reader.summarize(month, false, &summary, &perDay);
    });
    printf("viewer summary + chart, 30 days:       %8.1f ms, %6.1f ms CPU (%d items, %d days)\n",
           readerSummary, lastCpuMs, summary.size(), perDay.size());

    JournalWin win;
    win.show();
    app.processEvents();
    const qint64 emptyKb = statusKb("VmRSS:");
    auto *table = win.findChild<QTableView *>(QStringLiteral("resultTable"));
    win.findChild<QDateEdit *>(QStringLiteral("fromDate"))->setDate(month.from);
    win.findChild<QDateEdit *>(QStringLiteral("toDate"))->setDate(month.to);
    QElapsedTimer open;
    const double openCpu = cpuMs(RUSAGE_SELF);
    open.start();
    win.slotFindDate();
    app.processEvents();
    printf("viewer, 30 days, opened:               %8.1f ms, %6.1f ms CPU (%d rows shown)\n",
           open.nsecsElapsed() / 1e6, cpuMs(RUSAGE_SELF) - openCpu, win.resultModel()->rowCount());
    QElapsedTimer scroll;
    scroll.start();
    while (win.resultModel()->canFetchMore(QModelIndex())) {
        table->scrollToBottom();
        app.processEvents();
    }
    printf("viewer, scrolled to row %d:        %8.1f ms\n", win.resultModel()->rowCount(),
           scroll.nsecsElapsed() / 1e6);
    const qint64 scrolledKb = statusKb("VmRSS:");
    printf("viewer memory: empty %.1f MB, after the whole month %.1f MB (+%.1f MB), peak %.1f MB\n",
           emptyKb / 1024.0, scrolledKb / 1024.0, (scrolledKb - emptyKb) / 1024.0,
           statusKb("VmHWM:") / 1024.0);
    return 0;
}
