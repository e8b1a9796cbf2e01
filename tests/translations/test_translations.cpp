// Scans the sources with lupdate, as a translator would, and fails for every text
// of the program that lacks a finished translation in the committed catalogues.

#include "buildpaths.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message
{
    QString context;
    QString source;
    QString comment;
    QString translation;
    bool finished = false;
};

QString keyOf(const Message &m)
{
    return m.context + QChar(0) + m.source + QChar(0) + m.comment;
}

QList<Message> readTs(const QString &path, QString *error)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open ") + path;
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    bool inMessage = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name") && !inMessage) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                inMessage = true;
                current = Message();
                current.context = context;
            } else if (name == QLatin1String("source")) {
                current.source = xml.readElementText();
            } else if (name == QLatin1String("comment")) {
                current.comment = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                current.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                current.finished = type.isEmpty();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            inMessage = false;
            messages.append(current);
        }
    }
    if (xml.hasError())
        *error = path + QStringLiteral(": ") + xml.errorString();
    return messages;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString scanned = m_dir.filePath(QStringLiteral("scan.ts"));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(LUMORA_LUPDATE),
                      {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral("-no-obsolete"),
                       BuildPaths::path("LUMORA_SOURCE_DIR") + QStringLiteral("/src"), QStringLiteral("-ts"),
                       scanned});
        QVERIFY2(lupdate.waitForFinished(120000), "lupdate did not finish");
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());
        QString error;
        m_scanned = readTs(scanned, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::newRow("Chinese") << QStringLiteral("deskTop_eng_ch.ts");
        QTest::newRow("English") << QStringLiteral("deskTop_eng_en.ts");
    }

    void everyTextIsTranslated()
    {
        QFETCH(QString, catalogue);
        QString error;
        const QList<Message> committed = readTs(
            BuildPaths::path("LUMORA_SOURCE_DIR") + QStringLiteral("/translations/") + catalogue, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QHash<QString, Message> byKey;
        for (const Message &m : committed)
            byKey.insert(keyOf(m), m);

        QStringList missing;
        for (const Message &m : qAsConst(m_scanned)) {
            const auto it = byKey.constFind(keyOf(m));
            if (it == byKey.cend() || !it->finished || it->translation.trimmed().isEmpty())
                missing << m.context + QStringLiteral(": \"") + m.source + QLatin1Char('"');
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("%1 text(s) without a finished translation in %2 "
                                           "(run the lumora_lupdate target, then translate):\n  %3")
                                .arg(missing.size())
                                .arg(catalogue, missing.join(QStringLiteral("\n  ")))));
    }

    void chineseIsReallyChinese()
    {
        // A copied English source counts as untranslated; acronyms and numbers may stay.
        QString error;
        const QList<Message> committed =
            readTs(BuildPaths::path("LUMORA_SOURCE_DIR") + QStringLiteral("/translations/deskTop_eng_ch.ts"),
                   &error);
        QStringList copied;
        for (const Message &m : committed) {
            static const QRegularExpression word(QStringLiteral("[a-z]{3,}"));
            const bool hasLatinWord = word.match(m.source).hasMatch();
            if (m.finished && hasLatinWord && m.translation == m.source)
                copied << m.source;
        }
        QVERIFY2(copied.isEmpty(), qPrintable(QStringLiteral("Chinese left in English: ") + copied.join(QStringLiteral(", "))));
    }

private:
    QTemporaryDir m_dir;
    QList<Message> m_scanned;
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "test_translations.moc"
