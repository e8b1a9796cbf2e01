#pragma once

#include <QString>

// The MQTT topics of the fleet, all under one versioned prefix so a later protocol can live
// beside this one on the same broker.
//
//   lumora/v1/dev/<device>/desired     retained, by the operator: the signed bundle to play
//   lumora/v1/grp/<group>/desired      retained, by the operator: the same for a whole group
//   lumora/v1/dev/<device>/presence    retained "online"/"offline" (the last will)
//   lumora/v1/dev/<device>/state       retained JSON: bundles, what plays, errors, disk, clock
//   lumora/v1/dev/<device>/cmd         commands (QoS 1, with an expiry)
//   lumora/v1/grp/<group>/cmd          commands for a whole group
//   lumora/v1/dev/<device>/reply       answers to commands
//   lumora/v1/dev/<device>/screenshot  retained JPEG of the device's display windows
//   lumora/v1/dev/<device>/log         play-log rows, by the device (FleetCollector stores them)
//   lumora/v1/dev/<device>/logack      retained, by the collector: the cursors it holds
//   lumora/v1/dev/<device>/sync        the device's own marker to itself after each connect
namespace FleetTopics {

QString prefix();
QString device(const QString &deviceId, const QString &leaf);
QString group(const QString &group, const QString &leaf);
// Device and group names: letters, digits, '-', '_' and '.', 1 to 64 of them, not "." or "..";
// anything else would let a name reach into another topic level or a wildcard.
bool isValidName(const QString &name);

} // namespace FleetTopics
