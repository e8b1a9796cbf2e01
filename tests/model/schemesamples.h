#pragma once

#include "model/scheme.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class LumoraMediaObject;

// Test schemes shared by the codec, JSON and tool tests.
namespace SchemeSamples {

// One media item with a non-default value in every stored field, and the body bytes the
// file must hold for it, spelled out by hand.
struct GoldenMedia
{
    QString label;
    LumoraMediaObject *media = nullptr; // owned by the caller
    QByteArray body;
};
QVector<GoldenMedia> goldenMedia();

// Header bytes of a media record (mediaId 7, ancestors "D", "G", "P", "W").
QByteArray mediaHeader(const QByteArray &type);

// A scheme holding exactly the given items in one window of one loop program of one
// general segment, and the bytes of that scheme around the given media records.
Scheme wrap(const QList<LumoraMediaObject *> &media);
QByteArray wrapBytes(int mediaCount, const QByteArray &mediaRecords);

// Two display windows with every segment kind, time points, programs of every play mode,
// windows and one item of every media type, each field set to a distinct value; also
// null and empty strings. Every media file path points below mediaDir.
Scheme rich(const QString &mediaDir = QStringLiteral("/nonexistent"));

} // namespace SchemeSamples
