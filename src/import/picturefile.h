#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A picture file decoded for a window: never larger than the window can show, never larger
// than MaxSide on a side, so a camera photo in a small window costs the window's pixels, not
// the photo's.
namespace PictureFile {

constexpr int MaxSide = 8192;

struct Decoded
{
    QImage image;     // null when the file could not be decoded or the window shows nothing
    QSize sourceSize; // the file's picture size after its orientation tag; invalid if unreadable
};

// The size to decode a `source` picture at for a window of `window`: the smallest size of the
// same shape that covers the window (a "Fill" stretch and an "Original Scale" fit both draw
// from it without enlarging), never above the source itself or MaxSide on a side. Empty for a
// window without area.
QSize decodeSize(const QSize &source, const QSize &window);

// Reads `path` at decodeSize for `window`. Thread-safe: play windows call it from worker
// threads.
Decoded decode(const QString &path, const QSize &window);

} // namespace PictureFile
