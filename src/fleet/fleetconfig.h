#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The [Fleet] group of setting.ini (administrator defaults first, the user's file key by key
// over them). Without a Broker key the fleet is off and everything behaves as on a lone PC.
//
//   [Fleet]
//   Device=lobby-1                       the device id: its certificate's common name
//   Groups=lobby, floor-2
//   Broker=mqtts://broker.example:8883
//   Content=https://content.example/b/
//   CaCertificate=fleet/ca.crt           relative names are taken in the settings file's folder
//   Certificate=fleet/device.crt
//   Key=fleet/device.key
//   OperatorKey=fleet/operator.pub       the public key bundles must be signed with
//   MaxClockOffset=2                     seconds a device's clock may be off before it says so
//   KeepBundles=3
//   LogRetentionDays=90                  days a delivered play-log row stays on the device
struct FleetConfig
{
    QString device;
    QStringList groups;
    QUrl broker;
    QUrl content;
    QString caCertificate;
    QString certificate;
    QString key;
    QString operatorKey;
    int maxClockOffsetSeconds = 2;
    int keepBundles = 3;
    int logRetentionDays = 90;

    bool isEnabled() const { return broker.isValid() && !broker.isEmpty(); }
    // Empty when usable; otherwise what is wrong, in one line.
    QString problem() const;

    static FleetConfig fromSettingsFiles(const QStringList &files);
    // Writes the group into `file`, paths as given.
    bool writeTo(const QString &file) const;
};
