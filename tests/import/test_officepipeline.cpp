// The office service with a converter program the test controls: the cache (names, reuse,
// edited and removed sources, old names), the one-at-a-time queue, and every way a
// conversion fails (nothing written, a broken PDF, a converter that hangs, a cancel, no
// LibreOffice), none of which may leave anything in the cache.
#include "clock/virtualclock.h"
#include "import/cconverter.h"
#include "import/mupdfdocument.h"
#include "import/mupdfpage.h"
#include "import/officecache.h"
#include "import/officejob.h"
#include "import/officeservice.h"
#include "import/pdfpagesource.h"
#include "model/officepagelist.h"
#include "officetestfiles.h"

#include <QDateTime>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {
// Stands in for soffice: copies pages-<ext>.pdf into --outdir under the source's name; a
// source named *nopdf* writes nothing, *corrupt* a file that is no PDF, *hang* waits for ever
// with a child of its own. Every run is logged as "start <name>" and "end <name>".
QByteArray fakeConverter(const QString &dir)
{
    return QByteArrayLiteral(
               "#!/bin/sh\n"
               "out=''; src=''\n"
               "while [ $# -gt 0 ]; do case \"$1\" in --outdir) out=\"$2\"; shift;; *) src=\"$1\";; "
               "esac; shift; done\n"
               "base=$(basename \"$src\"); stem=\"${base%.*}\"; ext=$(echo \"${base##*.}\" | tr A-Z a-z)\n"
               "echo \"start $base\" >> DIR/runs.log\n"
               "case \"$base\" in\n"
               "  *nopdf*) ;;\n"
               "  *corrupt*) echo 'not a pdf' > \"$out/$stem.pdf\";;\n"
               "  *hang*) sleep 600 & echo $! > DIR/child.pid; wait;;\n"
               "  *) sleep 0.3; cp DIR/pages-$ext.pdf \"$out/$stem.pdf\";;\n"
               "esac\n"
               "echo \"end $base\" >> DIR/runs.log\n")
        .replace("DIR", QFile::encodeName(dir));
}

bool processGone(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // A killed child nobody reaped yet is a zombie: it runs no more.
    const QByteArray fields = stat.readAll();
    return fields.mid(fields.lastIndexOf(')') + 2, 1) == "Z";
}
} // namespace

class TestOfficePipeline : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_cache;
    OfficeService *m_service = nullptr;
    VirtualClock *m_clock = nullptr;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QStringList runs() const
    {
        QFile f(path(QStringLiteral("runs.log")));
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    int conversionsOf(const QString &name) const { return runs().count(QStringLiteral("start ") + name); }
    // Files the cache holds, scratch and work folders included.
    QStringList cacheFiles() const
    {
        return QDir(m_cache).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    bool touch(const QString &name, const QDateTime &when) const
    {
        QFile f(path(name));
        if (!f.exists() && !(f.open(QIODevice::WriteOnly) && f.write("x") == 1))
            return false;
        f.close();
        return f.open(QIODevice::ReadWrite) && f.setFileTime(when, QFileDevice::FileModificationTime);
    }
    // Runs `job` to its end; false when it never ends.
    static bool finish(const QSharedPointer<OfficeJob> &job, bool *ok = nullptr, QString *message = nullptr)
    {
        QSignalSpy done(job.data(), &OfficeJob::finished);
        if (!done.wait(60000))
            return false;
        if (ok)
            *ok = done.at(0).at(0).toBool();
        if (message)
            *message = done.at(0).at(2).toString();
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_cache = path(QStringLiteral("tmp"));
        QVERIFY(writeTextFile(path(QStringLiteral("soffice")), fakeConverter(m_dir.path()), true));
        QVERIFY(writeColourPdf(path(QStringLiteral("pages-docx.pdf")), {Qt::red, Qt::green, Qt::blue}));
        QVERIFY(
            writeColourPdf(path(QStringLiteral("pages-xlsx.pdf")), {Qt::yellow, Qt::cyan}, QSizeF(842, 595)));
        QVERIFY(writeColourPdf(path(QStringLiteral("pages-pptx.pdf")), {Qt::magenta}));
        CConverter::setProgram(path(QStringLiteral("soffice")));
        CConverter::setTimeLimit(60000);
        m_clock = new VirtualClock(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
        Clock::setCurrent(m_clock);
        m_service = new OfficeService(m_cache, this);
    }

    void cleanupTestCase()
    {
        delete m_service;
        Clock::setCurrent(nullptr);
        delete m_clock;
    }

    void pagesInOrderAtTwiceThePointSize()
    {
        QVERIFY(touch(QStringLiteral("REPORT.DOCX"), QDateTime::currentDateTime().addSecs(-60)));
        const QSharedPointer<OfficeJob> job = m_service->request(path(QStringLiteral("REPORT.DOCX")));
        QSignalSpy progress(job.data(), &OfficeJob::progress);
        bool ok = false;
        QVERIFY(finish(job, &ok));
        QVERIFY(ok);
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0).toInt(), 3);
        const OfficePageList pages = job->pages();
        QCOMPARE(pages.size(), 3);
        const QList<QColor> expected = {Qt::red, Qt::green, Qt::blue};
        for (int i = 0; i < 3; ++i) {
            const QImage page = pages.at(i);
            QCOMPARE(page.size(), QSize(1190, 1684));
            QCOMPARE(page.pixelColor(600, 800), expected.at(i));
        }
        QCOMPARE(job->pdfPath(),
                 m_cache + QLatin1Char('/') + OfficeCache::cacheName(path(QStringLiteral("REPORT.DOCX"))));
        QVERIFY(!QFile::exists(m_cache + QStringLiteral("/tmp.pdf")));
    }

    void sameNameOtherKindKeepsItsOwnPages()
    {
        QVERIFY(touch(QStringLiteral("plan.docx"), QDateTime::currentDateTime().addSecs(-60)));
        QVERIFY(touch(QStringLiteral("plan.xlsx"), QDateTime::currentDateTime().addSecs(-60)));
        const QSharedPointer<OfficeJob> word = m_service->request(path(QStringLiteral("plan.docx")));
        const QSharedPointer<OfficeJob> sheet = m_service->request(path(QStringLiteral("plan.xlsx")));
        QVERIFY(finish(word) && finish(sheet));
        QCOMPARE(word->pages().size(), 3);
        QCOMPARE(sheet->pages().size(), 2);
        QCOMPARE(sheet->pages().at(0).pixelColor(10, 10), QColor(Qt::yellow));
        // One conversion at a time: the second started after the first ended.
        const QStringList log = runs();
        const int endWord = log.indexOf(QStringLiteral("end plan.docx"));
        QVERIFY(endWord >= 0 && endWord < log.indexOf(QStringLiteral("start plan.xlsx")));
    }

    void aRequestWhileWaitingJoinsTheJobAndALaterOneUsesTheCache()
    {
        QVERIFY(touch(QStringLiteral("twice.pptx"), QDateTime::currentDateTime().addSecs(-60)));
        const QSharedPointer<OfficeJob> first = m_service->request(path(QStringLiteral("twice.pptx")));
        QCOMPARE(m_service->request(path(QStringLiteral("twice.pptx"))), first);
        QVERIFY(finish(first));
        QVERIFY(first->converted());
        const QSharedPointer<OfficeJob> again = m_service->request(path(QStringLiteral("twice.pptx")));
        bool ok = false;
        QVERIFY(finish(again, &ok));
        QVERIFY(ok);
        QVERIFY(!again->converted());
        QCOMPARE(again->pageCount(), 1);
        QCOMPARE(conversionsOf(QStringLiteral("twice.pptx")), 1);
    }

    void anEditedSourceIsConvertedAgain()
    {
        QVERIFY(touch(QStringLiteral("edited.docx"), QDateTime::currentDateTime().addSecs(-60)));
        QVERIFY(finish(m_service->request(path(QStringLiteral("edited.docx")))));
        QVERIFY(touch(QStringLiteral("edited.docx"), QDateTime::currentDateTime().addSecs(3600)));
        const QSharedPointer<OfficeJob> job = m_service->request(path(QStringLiteral("edited.docx")));
        QVERIFY(finish(job));
        QVERIFY(job->converted());
        QCOMPARE(conversionsOf(QStringLiteral("edited.docx")), 2);
    }

    void aRemovedSourceUsesItsCachedCopyOrTheOldName()
    {
        QVERIFY(touch(QStringLiteral("gone.xlsx"), QDateTime::currentDateTime().addSecs(-60)));
        QVERIFY(finish(m_service->request(path(QStringLiteral("gone.xlsx")))));
        QVERIFY(QFile::remove(path(QStringLiteral("gone.xlsx"))));
        const QSharedPointer<OfficeJob> job = m_service->request(path(QStringLiteral("gone.xlsx")));
        bool ok = false;
        QVERIFY(finish(job, &ok));
        QVERIFY(ok);
        QCOMPARE(job->pageCount(), 2);
        QCOMPARE(conversionsOf(QStringLiteral("gone.xlsx")), 1);

        // A cache made by an earlier installation: the name cut at its first ".".
        QVERIFY(QFile::copy(path(QStringLiteral("pages-pptx.pdf")), m_cache + QStringLiteral("/old.pdf")));
        const QSharedPointer<OfficeJob> old = m_service->request(path(QStringLiteral("old.show.ppt")));
        QVERIFY(finish(old, &ok));
        QVERIFY(ok);
        QCOMPARE(old->pages().at(0).pixelColor(10, 10), QColor(Qt::magenta));

        const QSharedPointer<OfficeJob> none = m_service->request(path(QStringLiteral("never.docx")));
        QString message;
        QVERIFY(finish(none, &ok, &message));
        QVERIFY(!ok);
        QVERIFY(message.contains(QStringLiteral("never.docx")));
    }

    void failedConversionsLeaveNothingInTheCache_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no PDF") << "nopdf.pptx"
                                << "wrote no PDF";
        QTest::newRow("broken PDF") << "corrupt.xls"
                                    << "cannot be read";
    }

    void failedConversionsLeaveNothingInTheCache()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QStringList before = cacheFiles();
        QVERIFY(touch(name, QDateTime::currentDateTime()));
        const QSharedPointer<OfficeJob> job = m_service->request(path(name));
        bool ok = true;
        QString message;
        QVERIFY(finish(job, &ok, &message));
        QVERIFY(!ok);
        QVERIFY2(message.contains(reason) && message.contains(name), qPrintable(message));
        QCOMPARE(cacheFiles(), before);
    }

    void aHangingConverterIsEndedAtTheTimeLimit()
    {
        const QStringList before = cacheFiles();
        QFile::remove(path(QStringLiteral("child.pid")));
        QVERIFY(touch(QStringLiteral("hang.docx"), QDateTime::currentDateTime()));
        const QSharedPointer<OfficeJob> job = m_service->request(path(QStringLiteral("hang.docx")));
        QSignalSpy done(job.data(), &OfficeJob::finished);
        auto childPid = [this] {
            QFile f(path(QStringLiteral("child.pid")));
            return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(childPid() > 0, 30000);
        const qint64 child = childPid();
        // The limit runs on the clock service; nothing ends before it.
        m_clock->advance(CConverter::timeLimit() - 1000);
        QTest::qWait(300);
        QVERIFY(done.isEmpty());
        m_clock->advance(1000);
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 20000);
        QVERIFY(!done.at(0).at(0).toBool());
        QVERIFY(done.at(0).at(2).toString().contains(QStringLiteral("did not finish")));
        QVERIFY(!job->wasCancelled());
        // The whole process group went, the converter's own child too.
        QTRY_VERIFY(processGone(child));
        QCOMPARE(cacheFiles(), before);
    }

    void cancelEndsTheRunningAndTheWaitingJobs()
    {
        const QStringList before = cacheFiles();
        QFile::remove(path(QStringLiteral("child.pid")));
        QVERIFY(touch(QStringLiteral("hang2.pptx"), QDateTime::currentDateTime()));
        QVERIFY(touch(QStringLiteral("waiting.docx"), QDateTime::currentDateTime()));
        const QSharedPointer<OfficeJob> running = m_service->request(path(QStringLiteral("hang2.pptx")));
        const QSharedPointer<OfficeJob> waiting = m_service->request(path(QStringLiteral("waiting.docx")));
        QSignalSpy runningDone(running.data(), &OfficeJob::finished);
        QSignalSpy waitingDone(waiting.data(), &OfficeJob::finished);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path(QStringLiteral("child.pid"))), 30000);
        m_service->cancelAll();
        QTRY_COMPARE_WITH_TIMEOUT(runningDone.size(), 1, 20000);
        QTRY_COMPARE(waitingDone.size(), 1);
        QVERIFY(!runningDone.at(0).at(0).toBool() && !waitingDone.at(0).at(0).toBool());
        QVERIFY(runningDone.at(0).at(2).toString().contains(QStringLiteral("cancelled")));
        QVERIFY(running->wasCancelled() && waiting->wasCancelled());
        QCOMPARE(conversionsOf(QStringLiteral("waiting.docx")), 0);
        QCOMPARE(cacheFiles(), before);
        QVERIFY(m_service->pendingJobs().isEmpty());
    }

    void missingLibreOfficeIsNamed()
    {
        CConverter::setProgram(path(QStringLiteral("no-such-soffice")));
        QVERIFY(touch(QStringLiteral("letter.doc"), QDateTime::currentDateTime()));
        const QSharedPointer<OfficeJob> job = m_service->request(path(QStringLiteral("letter.doc")));
        bool ok = true;
        QString message;
        const bool ended = finish(job, &ok, &message);
        CConverter::setProgram(path(QStringLiteral("soffice")));
        QVERIFY(ended);
        QVERIFY(!ok);
        QCOMPARE(job->kind(), CConverter::Kind::Word);
        QCOMPARE(message,
                 QStringLiteral(
                     "Application failed to create. Please ensure that LibreOffice Writer is installed!"));
    }

    void aPosterPageIsDrawnAtMost8192PixelsLong()
    {
        const QString poster = path(QStringLiteral("poster.pdf"));
        QVERIFY(writeColourPdf(poster, {Qt::gray}, QSizeF(14400, 1440)));
        const QImage page = PdfPageSource(poster, 1).page(0);
        QCOMPARE(page.width(), 8192);
        QVERIFY(qAbs(page.height() - 819) <= 1);
    }
};

QTEST_MAIN(TestOfficePipeline)
#include "test_officepipeline.moc"
