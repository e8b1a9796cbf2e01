// Files as the import reads them: text in the encodings operators' files come in, a text file
// too long to take whole, and a camera photo for a small window.
#include "import/importrules.h"
#include "import/picturefile.h"
#include "import/textfile.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

namespace {
// "Opening hours 营业时间 08:00–20:00" and a line with a rarer character.
const QString sample = QStringLiteral("Opening hours \u8425\u4e1a\u65f6\u95f4 08:00\u201320:00\n"
                                      "\u4eca\u65e5\u7279\u4ef7 \u9c9c\u9999\u9e21\u7fc5");

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

class TestImportFiles : public QObject
{
    Q_OBJECT

private slots:
    void textInEveryEncodingReadsTheSame();
    void longTextIsCutAtOneMebibyteOnACharacter();
    void photoIsDecodedAtItsWindowsSize();
    void kindComesFromTheNameOnly();
};

void TestImportFiles::textInEveryEncodingReadsTheSame()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray gb = QTextCodec::codecForName("GB18030")->fromUnicode(sample);
    const QByteArray utf16le = QByteArray("\xFF\xFE", 2) +
                               QByteArray(reinterpret_cast<const char *>(sample.utf16()), sample.size() * 2);
    QTextCodec *be = QTextCodec::codecForName("UTF-16BE");
    const QByteArray utf16be = QByteArray("\xFE\xFF", 2) + be->fromUnicode(sample);
    const QList<QPair<QString, QByteArray>> files{
        {QStringLiteral("gb.txt"), gb},
        {QStringLiteral("utf8.txt"), sample.toUtf8()},
        {QStringLiteral("bom8.txt"), "\xEF\xBB\xBF" + sample.toUtf8()},
        {QStringLiteral("le.txt"), utf16le},
        {QStringLiteral("be.txt"), utf16be}};
    for (const auto &file : files) {
        const QString path = dir.filePath(file.first);
        QVERIFY(writeFile(path, file.second));
        const TextFile::Content content = TextFile::read(path);
        QVERIFY2(content.opened, qPrintable(file.first));
        QVERIFY2(!content.cut, qPrintable(file.first));
        QCOMPARE(content.text, sample);
    }
    const TextFile::Content missing = TextFile::read(dir.filePath(QStringLiteral("none.txt")));
    QVERIFY(!missing.opened);
    QVERIFY(missing.text.isEmpty());
}

void TestImportFiles::longTextIsCutAtOneMebibyteOnACharacter()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A three-byte character straddles the limit in the UTF-8 file, a two-byte one in the
    // GB18030 file: the cut must neither make the UTF-8 file look like GB18030 nor leave half
    // a character.
    const QString han = QStringLiteral("\u8425");
    QByteArray utf8(int(TextFile::MaxBytes) - 1, 'a');
    for (int i = 0; i < 100; ++i)
        utf8 += han.toUtf8();
    const QString utf8Path = dir.filePath(QStringLiteral("long8.txt"));
    QVERIFY(writeFile(utf8Path, utf8));
    const TextFile::Content a = TextFile::read(utf8Path);
    QVERIFY(a.cut);
    QCOMPARE(a.text.size(), int(TextFile::MaxBytes) - 1);
    QVERIFY(!a.text.contains(QChar::ReplacementCharacter));

    QByteArray gb(int(TextFile::MaxBytes) - 1, 'b');
    for (int i = 0; i < 100; ++i)
        gb += QTextCodec::codecForName("GB18030")->fromUnicode(han);
    const QString gbPath = dir.filePath(QStringLiteral("longgb.txt"));
    QVERIFY(writeFile(gbPath, gb));
    const TextFile::Content b = TextFile::read(gbPath);
    QVERIFY(b.cut);
    QCOMPARE(b.text.size(), int(TextFile::MaxBytes) - 1);
    QVERIFY(!b.text.contains(QChar::ReplacementCharacter));

    // Exactly the limit is not cut.
    const QString exactPath = dir.filePath(QStringLiteral("exact.txt"));
    QVERIFY(writeFile(exactPath, QByteArray(int(TextFile::MaxBytes), 'c')));
    QVERIFY(!TextFile::read(exactPath).cut);
}

void TestImportFiles::photoIsDecodedAtItsWindowsSize()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("camera.jpg"));
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(QColor(30, 120, 200));
    QVERIFY(photo.save(path, "JPEG", 80));

    const PictureFile::Decoded small = PictureFile::decode(path, QSize(320, 240));
    QCOMPARE(small.sourceSize, QSize(4000, 3000));
    QCOMPARE(small.image.size(), QSize(320, 240));
    QCOMPARE(QColor(small.image.pixel(160, 120)).blue() > 150, true);

    // A wide window takes the photo's width; its height follows the photo's shape.
    const PictureFile::Decoded wide = PictureFile::decode(path, QSize(1000, 100));
    QCOMPARE(wide.image.size(), QSize(1000, 750));

    QCOMPARE(PictureFile::decode(path, QSize(1920, 1080)).image.size(), QSize(1920, 1440));
    // Never above the file itself, never above 8192 on a side.
    QCOMPARE(PictureFile::decode(path, QSize(5000, 5000)).image.size(), QSize(4000, 3000));
    QCOMPARE(PictureFile::decodeSize(QSize(20000, 5000), QSize(20000, 5000)), QSize(8192, 2048));

    // A window without area holds nothing; an unreadable file gives an empty picture.
    QVERIFY(PictureFile::decode(path, QSize(0, 0)).image.isNull());
    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    QVERIFY(writeFile(broken, "not a picture"));
    const PictureFile::Decoded bad = PictureFile::decode(broken, QSize(320, 240));
    QVERIFY(bad.image.isNull());
    QVERIFY(!bad.sourceSize.isValid());
}

void TestImportFiles::kindComesFromTheNameOnly()
{
    QCOMPARE(ImportRules::kindOf(QStringLiteral("/media/CLIP.MP4")), QStringLiteral("video"));
    QCOMPARE(ImportRules::kindOf(QStringLiteral("/media/scan.BMP")), QStringLiteral("image"));
    QCOMPARE(ImportRules::kindOf(QStringLiteral("/media/Report.old.pptx")), QStringLiteral("office"));
    QCOMPARE(ImportRules::kindOf(QStringLiteral("/media/x.vob")), QString());
    QCOMPARE(ImportRules::kindOf(QStringLiteral("/media/v1.mp4/README")), QString());
}

QTEST_GUILESS_MAIN(TestImportFiles)
#include "test_importfiles.moc"
