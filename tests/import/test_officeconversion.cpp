// Real LibreOffice: Word, Excel and PowerPoint files, made at run time from flat text
// documents, become pages through the office service. The conversions take seconds each, so
// each document is converted once and the cases share them.
#include "import/cconverter.h"
#include "import/officecache.h"
#include "import/officejob.h"
#include "import/officeservice.h"
#include "model/officepagelist.h"
#include "officetestfiles.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {
// A Writer document of 595 x 842 points whose page i (from 0) carries (i + 1) * 12 lines, so
// later pages hold more ink.
QByteArray flatText(int pages)
{
    QByteArray body;
    for (int p = 0; p < pages; ++p) {
        for (int line = 0; line < (p + 1) * 12; ++line) {
            body += QByteArray(p > 0 && line == 0 ? "<text:p text:style-name=\"Break\">" : "<text:p>") +
                    "MMMMMMMMMMMMMMMMMMMMMMMM</text:p>\n";
        }
    }
    return QByteArrayLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
               "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
               "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.text\">\n"
               "<office:automatic-styles>\n"
               "<style:style style:name=\"Break\" style:family=\"paragraph\"><style:paragraph-properties "
               "fo:break-before=\"page\"/></style:style>\n"
               "<style:page-layout style:name=\"pm1\"><style:page-layout-properties fo:page-width=\"595pt\" "
               "fo:page-height=\"842pt\" fo:margin-top=\"36pt\" fo:margin-bottom=\"36pt\" "
               "fo:margin-left=\"36pt\" "
               "fo:margin-right=\"36pt\"/></style:page-layout>\n"
               "</office:automatic-styles>\n"
               "<office:master-styles><style:master-page style:name=\"Standard\" "
               "style:page-layout-name=\"pm1\"/></office:master-styles>\n"
               "<office:body><office:text>\n") +
           body + "</office:text></office:body></office:document>\n";
}

QByteArray flatPresentation()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
        "xmlns:presentation=\"urn:oasis:names:tc:opendocument:xmlns:presentation:1.0\" "
        "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.presentation\">\n"
        "<office:body><office:presentation>\n"
        "<draw:page draw:name=\"one\"><draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"10cm\" "
        "svg:height=\"3cm\"><draw:text-box><text:p>First "
        "slide</text:p></draw:text-box></draw:frame></draw:page>\n"
        "<draw:page draw:name=\"two\"><draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"10cm\" "
        "svg:height=\"3cm\"><draw:text-box><text:p>Second "
        "slide</text:p></draw:text-box></draw:frame></draw:page>\n"
        "</office:presentation></office:body></office:document>\n");
}

// Share of dark pixels: how much text a page carries.
double ink(const QImage &page)
{
    int dark = 0;
    for (int y = 0; y < page.height(); y += 4) {
        for (int x = 0; x < page.width(); x += 4)
            dark += qGray(page.pixel(x, y)) < 128;
    }
    return double(dark) / ((page.width() / 4) * (page.height() / 4));
}
} // namespace

class TestOfficeConversion : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_profile;
    OfficeService *m_service = nullptr;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    // Saves flat documents as `format` with LibreOffice itself.
    bool saveAs(const QString &format, const QStringList &sources)
    {
        QProcess soffice;
        QStringList args = {QStringLiteral("-env:UserInstallation=") +
                                QUrl::fromLocalFile(m_profile.path()).toString(),
                            QStringLiteral("--headless"),
                            QStringLiteral("--norestore"),
                            QStringLiteral("--convert-to"),
                            format,
                            QStringLiteral("--outdir"),
                            m_dir.path()};
        for (const QString &s : sources)
            args << path(s);
        soffice.start(QStringLiteral("soffice"), args);
        return soffice.waitForFinished(180000) && soffice.exitCode() == 0;
    }
    QSharedPointer<OfficeJob> convert(const QString &name)
    {
        const QSharedPointer<OfficeJob> job = m_service->request(path(name));
        QSignalSpy done(job.data(), &OfficeJob::finished);
        return done.wait(180000) ? job : QSharedPointer<OfficeJob>();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid() && m_profile.isValid());
        QVERIFY2(!CConverter::resolvedProgram().isEmpty(), "LibreOffice (soffice) is needed");
        QVERIFY(writeTextFile(path(QStringLiteral("report.fodt")), flatText(3)));
        QVERIFY(writeTextFile(path(QStringLiteral("plan.fodt")), flatText(1)));
        QVERIFY(writeTextFile(path(QStringLiteral("plan.csv")), "Item,Count\nChairs,12\nTables,3\n"));
        QVERIFY(writeTextFile(path(QStringLiteral("slides.fodp")), flatPresentation()));
        QVERIFY(saveAs(QStringLiteral("docx"), {QStringLiteral("report.fodt"), QStringLiteral("plan.fodt")}));
        QVERIFY(saveAs(QStringLiteral("xlsx"), {QStringLiteral("plan.csv")}));
        QVERIFY(saveAs(QStringLiteral("pptx"), {QStringLiteral("slides.fodp")}));
        QVERIFY(QFile::rename(path(QStringLiteral("report.docx")), path(QStringLiteral("REPORT.DOCX"))));
        // Sources a minute old, so an edit later is plainly newer than their cached copies.
        for (const QString &name : {QStringLiteral("REPORT.DOCX"), QStringLiteral("plan.docx"),
                                    QStringLiteral("plan.xlsx"), QStringLiteral("slides.pptx")}) {
            QFile f(path(name));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(
                f.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        }
        m_service = new OfficeService(path(QStringLiteral("tmp")), this);
    }

    void aThreePageWordDocumentInCapitalsGivesThreePagesInOrder()
    {
        const QSharedPointer<OfficeJob> job = convert(QStringLiteral("REPORT.DOCX"));
        QVERIFY(job);
        QVERIFY2(job->ok(), qPrintable(job->message()));
        const OfficePageList pages = job->pages();
        QCOMPARE(pages.size(), 3);
        double previousInk = 0;
        for (int i = 0; i < 3; ++i) {
            const QImage page = pages.at(i);
            QCOMPARE(page.size(), QSize(1190, 1684));
            QVERIFY2(ink(page) > previousInk, "pages out of order");
            previousInk = ink(page);
        }
        // A second request finds the cached PDF and converts nothing.
        const QSharedPointer<OfficeJob> again = convert(QStringLiteral("REPORT.DOCX"));
        QVERIFY(again && again->ok());
        QVERIFY(!again->converted());
        QCOMPARE(again->pdfPath(), job->pdfPath());
    }

    void aSpreadsheetAndAPresentationGiveTheirPages()
    {
        const QSharedPointer<OfficeJob> sheet = convert(QStringLiteral("plan.xlsx"));
        QVERIFY(sheet);
        QVERIFY2(sheet->ok(), qPrintable(sheet->message()));
        QVERIFY(sheet->pages().size() >= 1);
        QVERIFY(ink(sheet->pages().at(0)) > 0);
        const QSharedPointer<OfficeJob> slides = convert(QStringLiteral("slides.pptx"));
        QVERIFY(slides);
        QVERIFY2(slides->ok(), qPrintable(slides->message()));
        QCOMPARE(slides->pages().size(), 2);
        // Slides are wider than high.
        QVERIFY(slides->pages().at(1).width() > slides->pages().at(1).height());
    }

    void sameNamesOfOtherKindsShowTheirOwnPagesAndAnEditConvertsAgain()
    {
        const QSharedPointer<OfficeJob> word = convert(QStringLiteral("plan.docx"));
        const QSharedPointer<OfficeJob> sheet = convert(QStringLiteral("plan.xlsx"));
        QVERIFY(word && word->ok() && sheet && sheet->ok());
        QVERIFY(word->pdfPath() != sheet->pdfPath());
        QCOMPARE(word->pages().size(), 1);
        QCOMPARE(word->pages().at(0).size(), QSize(1190, 1684));
        QVERIFY(sheet->pages().at(0).size() != QSize(1190, 1684) ||
                ink(sheet->pages().at(0)) < ink(word->pages().at(0)) / 2);

        // The operator replaces plan.docx by the three-page report.
        QVERIFY(QFile::remove(path(QStringLiteral("plan.docx"))));
        QVERIFY(QFile::copy(path(QStringLiteral("REPORT.DOCX")), path(QStringLiteral("plan.docx"))));
        QFile edited(path(QStringLiteral("plan.docx")));
        QVERIFY(edited.open(QIODevice::ReadWrite));
        QVERIFY(
            edited.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
        edited.close();
        const QSharedPointer<OfficeJob> again = convert(QStringLiteral("plan.docx"));
        QVERIFY(again && again->ok());
        QVERIFY(again->converted());
        QCOMPARE(again->pages().size(), 3);
        QVERIFY(!QFile::exists(path(QStringLiteral("tmp/tmp.pdf"))));
    }
};

QTEST_MAIN(TestOfficeConversion)
#include "test_officeconversion.moc"
