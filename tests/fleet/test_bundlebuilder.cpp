// What a published bundle holds: every file the scheme names, under names inside the bundle,
// and the scheme rewritten to name them so; an office document travels with its PDF.

#include "fleet/bundlebuilder.h"
#include "fleet/sha256stream.h"
#include "import/officecache.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/schemefiles.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "schemesamples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestBundleBuilder : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("show/a"))));
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("show/b"))));
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("cache"))));
    }

    // Relative names (the demo's), absolute ones, two files of one name from two folders, a
    // file named twice, a page background and its music: each travels once, under its own
    // name, and the rewritten scheme names exactly those.
    void everyFileTravelsOnceUnderItsOwnName()
    {
        write(QStringLiteral("show/a/clip.png"), "first clip");
        write(QStringLiteral("show/b/clip.png"), "second clip");
        write(QStringLiteral("show/back.png"), "background");
        write(QStringLiteral("show/tune.mp3"), "music");
        Scheme scheme = SchemeSamples::wrap({image(QStringLiteral("a/clip.png")),
                                             image(m_dir->filePath(QStringLiteral("show/b/clip.png"))),
                                             image(QStringLiteral("a/clip.png"))});
        ProgramObject *page = scheme.displayWindows.front()->schedule.allPrograms().first();
        page->backgroundImage = QStringLiteral("back.png");
        page->backgroundMusic = QStringList{QStringLiteral("tune.mp3")};
        const QString path = save(scheme, QStringLiteral("show/show.schx"));

        BundleBuilder bundle;
        QString error;
        QVERIFY2(bundle.build(path, m_dir->filePath(QStringLiteral("cache")), &error), qPrintable(error));
        const BundleManifest manifest = bundle.manifest();
        QCOMPARE(manifest.scheme, QStringLiteral("show.schx"));
        QStringList names;
        for (const BundleFile &file : manifest.files)
            names.append(file.name);
        names.sort();
        QCOMPARE(names, (QStringList{QStringLiteral("media/2-clip.png"), QStringLiteral("media/back.png"),
                                     QStringLiteral("media/clip.png"), QStringLiteral("media/tune.mp3"),
                                     QStringLiteral("show.schx")}));
        QCOMPARE(manifest.file(QStringLiteral("media/clip.png"))->sha256, Sha256Stream::ofData("first clip"));
        QCOMPARE(manifest.file(QStringLiteral("media/2-clip.png"))->sha256,
                 Sha256Stream::ofData("second clip"));
        QCOMPARE(manifest.file(QStringLiteral("show.schx"))->sha256,
                 Sha256Stream::ofData(bundle.schemeBytes()));

        // Unpacked anywhere, the scheme finds each file beside itself.
        SchemeReader reader;
        QVERIFY(reader.read(bundle.schemeBytes()));
        QStringList named;
        SchemeFiles::forEach(reader.scheme(),
                             [&named](QString &file, SchemeFiles::Role) { named.append(file); });
        QCOMPARE(named, (QStringList{QStringLiteral("media/back.png"), QStringLiteral("media/tune.mp3"),
                                     QStringLiteral("media/clip.png"), QStringLiteral("media/2-clip.png"),
                                     QStringLiteral("media/clip.png")}));
        // The publisher's scheme is left as it was.
        QVERIFY(reader.readFile(path));
        QCOMPARE(reader.scheme().displayWindows.front()->schedule.allPrograms().first()->backgroundImage,
                 QStringLiteral("back.png"));
    }

    // An office document brings the PDF of its pages from the office cache, named so the device
    // finds it; without the PDF, or with a file missing, there is no bundle.
    void officeDocumentsBringTheirPagesAndMissingFilesStopThePublish()
    {
        write(QStringLiteral("show/plan.docx"), "a document");
        const QString source = m_dir->filePath(QStringLiteral("show/plan.docx"));
        auto *office = new LumoraMediaObject;
        office->type = QStringLiteral("office");
        office->image.filePath = source;
        const QString path = save(SchemeSamples::wrap({office}), QStringLiteral("show/office.schx"));
        BundleBuilder bundle;
        QString error;
        QVERIFY(!bundle.build(path, m_dir->filePath(QStringLiteral("cache")), &error));
        QVERIFY2(error.contains(QStringLiteral("PDF")), qPrintable(error));

        write(QStringLiteral("cache/") + OfficeCache::cacheName(source), "%PDF pages");
        QVERIFY2(bundle.build(path, m_dir->filePath(QStringLiteral("cache")), &error), qPrintable(error));
        const BundleManifest manifest = bundle.manifest();
        const BundleFile *pdf =
            manifest.file(BundleBuilder::officePdfName(QStringLiteral("media/plan.docx")));
        QVERIFY(pdf);
        QCOMPARE(pdf->sha256, Sha256Stream::ofData("%PDF pages"));

        QVERIFY(QFile::remove(source));
        QVERIFY(!bundle.build(path, m_dir->filePath(QStringLiteral("cache")), &error));
        QVERIFY2(error.contains(source), qPrintable(error));
    }

private:
    static LumoraMediaObject *image(const QString &path)
    {
        auto *item = new LumoraMediaObject;
        item->type = QStringLiteral("image");
        item->image.filePath = path;
        return item;
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

    QString save(const Scheme &scheme, const QString &name)
    {
        const QString path = m_dir->filePath(name);
        return SchemeWriter::save(path, scheme) ? path : QString();
    }

    QScopedPointer<QTemporaryDir> m_dir;
};

QTEST_APPLESS_MAIN(TestBundleBuilder)
#include "test_bundlebuilder.moc"
