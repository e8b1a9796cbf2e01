#include "recoverycopy.h"

#include "appcore/settings.h"
#include "model/schemewriter.h"
#include "prodoc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kPrefix = QStringLiteral("recovery-");

QString originFileOf(const QString &copyPath)
{
    return copyPath.left(copyPath.size() - int(qstrlen(".schx"))) + QStringLiteral(".txt");
}

void removeCopyFiles(const QString &copyPath)
{
    QFile::remove(copyPath);
    QFile::remove(originFileOf(copyPath));
}
} // namespace

RecoveryCopy::RecoveryCopy(Prodoc *document, QObject *parent)
    : QObject(parent)
    , m_document(document)
{
    // The process id tells this session from a previous one; the counter, main windows of
    // one process apart.
    static int sessions = 0;
    m_copyPath = stateDirectory() + QLatin1Char('/') + kPrefix +
                 QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
                 QString::number(++sessions) + QStringLiteral(".schx");
    m_disk.setMaxThreadCount(1);
    m_timer.setInterval(DefaultIntervalMsecs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryCopy::writeNow);
}

RecoveryCopy::~RecoveryCopy()
{
    // Whatever was queued reaches the disk: a copy half-written would be no copy.
    m_disk.waitForDone();
}

void RecoveryCopy::update(bool modified)
{
    if (modified) {
        if (!m_timer.isActive())
            m_timer.start();
    } else {
        m_timer.stop();
        discard();
    }
}

void RecoveryCopy::writeNow()
{
    // Encoded once, for both questions: a large scheme takes milliseconds to encode.
    const QByteArray bytes = m_document->encoded();
    if (!m_document->isModified(bytes)) {
        update(false);
        return;
    }
    if (bytes == m_written)
        return;
    m_written = bytes;
    const QString copyPath = m_copyPath;
    const QString origin = m_document->path();
    // A slow or full disk holds up this thread, never the editor.
    m_disk.start([copyPath, origin, bytes] {
        QFile originFile(originFileOf(copyPath));
        if (originFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
            originFile.write(origin.toUtf8());
        originFile.close();
        SchemeWriter::saveBytes(copyPath, bytes);
    });
}

void RecoveryCopy::discard()
{
    if (m_written.isEmpty())
        return;
    m_written.clear();
    const QString copyPath = m_copyPath;
    m_disk.start([copyPath] { removeCopyFiles(copyPath); });
}

void RecoveryCopy::waitForDisk()
{
    m_disk.waitForDone();
}

QStringList RecoveryCopy::previousCopies() const
{
    QStringList copies;
    const QDir dir(QFileInfo(m_copyPath).absolutePath());
    const QFileInfoList entries =
        dir.entryInfoList({kPrefix + QStringLiteral("*.schx")}, QDir::Files, QDir::Time);
    for (const QFileInfo &entry : entries) {
        if (entry.absoluteFilePath() != QFileInfo(m_copyPath).absoluteFilePath())
            copies << entry.absoluteFilePath();
    }
    return copies; // newest first
}

QString RecoveryCopy::originPathOf(const QString &copyPath) const
{
    QFile file(originFileOf(copyPath));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).trimmed();
}

bool RecoveryCopy::findPrevious(Found *found) const
{
    const QStringList copies = previousCopies();
    if (copies.isEmpty())
        return false;
    found->copyPath = copies.first();
    found->originPath = originPathOf(found->copyPath);
    found->savedAt = QFileInfo(found->copyPath).lastModified();
    return true;
}

void RecoveryCopy::discardPrevious() const
{
    for (const QString &copy : previousCopies())
        removeCopyFiles(copy);
}
