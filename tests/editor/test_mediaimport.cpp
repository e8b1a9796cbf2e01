// "Add Media" -> "File" after its dialog: chosen files become items of the selected window in
// order, with consecutive media numbers, a cancel that keeps what was added, and nothing at
// all without a selected window.
#include "editor/mediaimport.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "editor/projectwidget.h"
#include "import/cconverter.h"
#include "import/officeservice.h"
#include "importui/importprogressdialog.h"
#include "model/commonwinobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "recordinghost.h"

#include <QAbstractButton>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(LumoraMediaObject *)

namespace {
class InfoHost : public RecordingHost
{
public:
    QStringList infos;
    void showInformation(const QString &, const QString &text) override { infos << text; }
};

struct Rig
{
    InfoHost host;
    std::unique_ptr<ProjectWidget> widget{new ProjectWidget(QStringLiteral("Hall"))};
    ProjectTree *tree = widget->tree();
    CommonWinObject *window = nullptr;

    Rig()
    {
        host.attach(tree);
        tree->buildDefaultSchedule();
        tree->slotSelectItemChecked();
        window = tree->getCurCommonWin();
        window->width = 320;
        window->height = 240;
        widget->show();
    }
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A real H.264 clip of `seconds`, made by ffmpeg.
bool writeClip(const QString &path, int seconds)
{
    const QStringList args{QStringLiteral("-y"),      QStringLiteral("-loglevel"), QStringLiteral("error"),
                           QStringLiteral("-f"),      QStringLiteral("lavfi"),     QStringLiteral("-i"),
                           QStringLiteral("color=c=blue:s=64x48:r=25:d=%1").arg(seconds),
                           QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),  path};
    return QProcess::execute(QStringLiteral("ffmpeg"), args) == 0 && QFile::exists(path);
}

bool writePicture(const QString &path, const QSize &size, const char *format)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    return picture.save(path, format);
}

// Waits for `import` to end; false if it did not within a generous time.
bool waitForEnd(MediaImport *import)
{
    if (!import)
        return false;
    QSignalSpy ended(import, &MediaImport::finished);
    return ended.count() > 0 || ended.wait(60000);
}
// Stands in for soffice: a source whose name holds "nopdf" writes nothing (and exits 0, as
// LibreOffice can); any other gets a copy of the two-page pages.pdf.
QByteArray fakeConverter(const QString &dir)
{
    return QByteArrayLiteral("#!/bin/sh\n"
                             "out=''; src=''\n"
                             "while [ $# -gt 0 ]; do case \"$1\" in --outdir) out=\"$2\"; shift;; *) src=\"$1\";; "
                             "esac; shift; done\n"
                             "base=$(basename \"$src\"); stem=\"${base%.*}\"\n"
                             "case \"$base\" in *nopdf*) ;; *) cp DIR/pages.pdf \"$out/$stem.pdf\";; esac\n")
        .replace("DIR", QFile::encodeName(dir));
}

bool writeTwoPagePdf(const QString &path)
{
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&pdf);
    if (!painter.isActive())
        return false;
    painter.drawText(100, 100, QStringLiteral("one"));
    pdf.newPage();
    painter.drawText(100, 100, QStringLiteral("two"));
    return painter.end();
}
} // namespace

class TestMediaImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<LumoraMediaObject *>("LumoraMediaObject*"); }
    void mixedFilesBecomeItemsInOrder();
    void cancelKeepsTheItemsAddedSoFar();
    void withoutASelectedWindowNothingHappens();
    void officeDocumentsBecomePagesInTheirPlace();
};

void TestMediaImport::mixedFilesBecomeItemsInOrder()
{
    Rig rig;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString video = dir.filePath(QStringLiteral("CLIP.MP4"));
    const QString photo = dir.filePath(QStringLiteral("photo.Png"));
    const QString notes = dir.filePath(QStringLiteral("notes.txt"));
    const QString vob = dir.filePath(QStringLiteral("x.vob"));
    QVERIFY(writeFile(video, "not checked until it plays"));
    QVERIFY(writePicture(photo, QSize(2400, 1800), "PNG"));
    // Written on a Chinese Windows machine: GB18030, not valid UTF-8.
    const QString hours = QStringLiteral("\u8425\u4e1a\u65f6\u95f4");
    QVERIFY(writeFile(notes, QTextCodec::codecForName("GB18030")->fromUnicode(hours)));
    QVERIFY(writeFile(vob, "offered by the filter, taken by no kind"));
    const QString clip = dir.filePath(QStringLiteral("clip.mp4"));
    QVERIFY(writeClip(clip, 3));
    rig.tree->mediaCounter = 7;

    QSignalSpy videos(rig.tree, &ProjectTree::sigAddVideoObject);
    QSignalSpy pictures(rig.tree, &ProjectTree::sigAddImageObject);
    QSignalSpy texts(rig.tree, &ProjectTree::sigAddSimpleTextObject);
    QVERIFY(waitForEnd(rig.tree->importMediaFiles({video, vob, photo, notes})));

    const QList<LumoraMediaObject *> &items = rig.window->media;
    QCOMPARE(items.size(), 3);
    // A file that is no video gets no length: it plays to its end, whatever that is.
    QCOMPARE(items.at(0)->video.totalLength, QTime(0, 0));
    QCOMPARE(items.at(0)->type, QStringLiteral("video"));
    QCOMPARE(items.at(0)->video.filePath, video);
    QCOMPARE(items.at(1)->type, QStringLiteral("image"));
    QCOMPARE(items.at(1)->image.filePath, photo);
    QCOMPARE(items.at(2)->type, QStringLiteral("txt"));
    QCOMPARE(items.at(2)->text.text, hours);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(items.at(i)->mediaId, 8 + i);
        QCOMPARE(items.at(i)->windowName, rig.window->name);
        QCOMPARE(items.at(i)->programName, rig.window->programName);
        QCOMPARE(items.at(i)->segmentName, rig.window->segmentName);
        QCOMPARE(items.at(i)->displayWindowName, QStringLiteral("Hall"));
    }
    QCOMPARE(rig.tree->mediaCounter, 10);
    QCOMPARE(videos.count(), 1);
    QCOMPARE(videos.at(0).at(0).toInt(), 0);
    QCOMPARE(pictures.count(), 1);
    QCOMPARE(pictures.at(0).at(0).toInt(), 1);
    QCOMPARE(pictures.at(0).at(1).value<LumoraMediaObject *>(), items.at(1));
    QCOMPARE(texts.count(), 1);
    QCOMPARE(texts.at(0).at(0).toInt(), 2);
    QVERIFY(rig.host.infos.isEmpty());

    // A text file over the limit is added cut, and the operator is told which one it was.
    const QString longText = dir.filePath(QStringLiteral("long.txt"));
    QVERIFY(writeFile(longText, QByteArray(2 * 1024 * 1024, 'x')));
    QVERIFY(waitForEnd(rig.tree->importMediaFiles({longText})));
    QCOMPARE(items.size(), 4);
    QCOMPARE(items.at(3)->text.text.size(), 1024 * 1024);
    QCOMPARE(rig.host.infos.size(), 1);
    QVERIFY(rig.host.infos.first().contains(QStringLiteral("long.txt")));

    // A real video gets the length its file plays for.
    QVERIFY(waitForEnd(rig.tree->importMediaFiles({clip})));
    QCOMPARE(items.size(), 5);
    QCOMPARE(items.at(4)->video.totalLength, QTime(0, 0, 3));
}

void TestMediaImport::cancelKeepsTheItemsAddedSoFar()
{
    Rig rig;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList paths;
    for (int i = 0; i < 12; ++i) {
        paths << dir.filePath(QStringLiteral("p%1.jpg").arg(i));
        QVERIFY(writePicture(paths.last(), QSize(1600, 1200), "JPEG"));
    }
    // The operator presses Cancel while the third item is being added (watched from before the
    // import starts: adding items takes no time worth waiting for).
    MediaImport *import = nullptr;
    connect(rig.tree, &ProjectTree::sigAddImageObject, this, [&import](int index) {
        if (index != 2 || !import || !import->progressDialog())
            return;
        if (auto *cancel = import->progressDialog()->findChild<QAbstractButton *>())
            cancel->click();
    });
    import = rig.tree->importMediaFiles(paths);
    QVERIFY(import);
    QSignalSpy ended(import, &MediaImport::finished);
    QPointer<ImportProgressDialog> dialog = import->progressDialog();
    // Many files: the progress shows at once, over the tree's container.
    QVERIFY(dialog);
    QCOMPARE(dialog->parentWidget(), rig.widget.get());
    QTRY_VERIFY_WITH_TIMEOUT(ended.count() == 1, 60000);
    QCOMPARE(ended.at(0).at(0).toInt(), 3);
    QCOMPARE(rig.window->media.size(), 3);
    QCOMPARE(rig.tree->mediaCounter, 3);
    // Reads already under way when it was cancelled add nothing later.
    QTest::qWait(300);
    QCOMPARE(rig.window->media.size(), 3);
    QVERIFY(!dialog || !dialog->isVisible());
}

void TestMediaImport::withoutASelectedWindowNothingHappens()
{
    Rig rig;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString photo = dir.filePath(QStringLiteral("a.png"));
    QVERIFY(writePicture(photo, QSize(64, 48), "PNG"));
    // The page is selected now; the window chosen earlier is still the tree's current window.
    rig.tree->setCurrentTreeItem(static_cast<ProjectTreeItem *>(rig.tree->currentTreeItem()->parent()));
    QSignalSpy pictures(rig.tree, &ProjectTree::sigAddImageObject);
    QVERIFY(!rig.tree->importMediaFiles({photo}));
    // The menu entry does not even open its file dialog.
    rig.tree->addMediaFileSlot();
    QTest::qWait(100);
    QVERIFY(rig.window->media.isEmpty());
    QCOMPARE(rig.tree->mediaCounter, 0);
    QCOMPARE(pictures.count(), 0);
}

QTEST_MAIN(TestMediaImport)
#include "test_mediaimport.moc"

// Office documents go through the conversion queue in their place among the other files: a
// presentation that does not convert is left out with a message and the import goes on; a
// Word document that does not convert ends the import.
void TestMediaImport::officeDocumentsBecomePagesInTheirPlace()
{
    Rig rig;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeTwoPagePdf(dir.filePath(QStringLiteral("pages.pdf"))));
    const QString soffice = dir.filePath(QStringLiteral("soffice"));
    QVERIFY(writeFile(soffice, fakeConverter(dir.path())));
    QVERIFY(QFile::setPermissions(soffice, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    CConverter::setProgram(soffice);
    OfficeService service(dir.filePath(QStringLiteral("cache")));
    OfficeService::installInstance(&service);

    QStringList paths;
    for (const char *name : {"plan.docx", "nopdf-slides.pptx", "notes.txt", "nopdf-letter.docx", "after.txt"}) {
        paths << dir.filePath(QString::fromLatin1(name));
        QVERIFY(writeFile(paths.last(), "content the converter does not read"));
    }
    QVERIFY(waitForEnd(rig.tree->importMediaFiles(paths)));
    OfficeService::installInstance(nullptr);
    CConverter::setProgram(QString());

    const QList<LumoraMediaObject *> &items = rig.window->media;
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0)->type, QStringLiteral("office"));
    QCOMPARE(items.at(0)->image.filePath, paths.at(0));
    QCOMPARE(items.at(0)->image.pages.size(), 2);
    QCOMPARE(items.at(1)->type, QStringLiteral("txt"));
    QCOMPARE(items.at(1)->mediaId, items.at(0)->mediaId + 1);
    const QString said = rig.host.infos.join(QLatin1Char('\n'));
    QVERIFY2(said.contains(QStringLiteral("Impress")) && said.contains(QStringLiteral("Writer")), qPrintable(said));
}
