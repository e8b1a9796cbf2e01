#include "hardwaredecoding.h"

#include <QDebug>
#include <QDir>
#include <QStringList>

namespace {
QString g_choice;

// The formats mpv hands to a hardware decoder by default ("hwdec-codecs").
bool hardwareFormat(const QString &format)
{
    static const QStringList formats{QStringLiteral("h264"),  QStringLiteral("hevc"), QStringLiteral("vc1"),
                                     QStringLiteral("vp8"),   QStringLiteral("vp9"),  QStringLiteral("av1"),
                                     QStringLiteral("prores")};
    return formats.contains(format);
}

// Every hardware decoding interface mpv has on Linux goes through one of these devices.
bool hasDecodingDevice()
{
    const QDir::Filters devices = QDir::System | QDir::Dirs | QDir::Files;
    return !QDir(QStringLiteral("/dev/dri"))
                .entryList({QStringLiteral("renderD*"), QStringLiteral("card*")}, devices)
                .isEmpty() ||
           !QDir(QStringLiteral("/dev"))
                .entryList({QStringLiteral("nvidia*"), QStringLiteral("video*")}, devices)
                .isEmpty();
}

void settle(const QString &choice)
{
    g_choice = choice;
    if (choice == QLatin1String("no"))
        qInfo().noquote() << "video player: no hardware video decoder, videos are decoded in software";
    else
        qInfo().noquote() << "video player: hardware video decoding through" << choice;
}
} // namespace

QString HardwareDecoding::choice()
{
    if (g_choice.isEmpty() && !hasDecodingDevice())
        settle(QStringLiteral("no"));
    return g_choice.isEmpty() ? QStringLiteral("auto") : g_choice;
}

void HardwareDecoding::report(const QString &format, const QString &current)
{
    // "no" for an old codec only means that no decoder takes that codec.
    if (g_choice.isEmpty() && !current.isEmpty() && hardwareFormat(format))
        settle(current);
}
