#include "picturefile.h"

#include <QImageReader>

namespace {
// Files whose picture exceeds this many pixels are not decoded at all: most formats decode
// the whole picture before scaling it, and this much is already a quarter of a gigabyte.
constexpr qint64 MaxSourcePixels = qint64(PictureFile::MaxSide) * PictureFile::MaxSide;
} // namespace

namespace PictureFile {

QSize decodeSize(const QSize &source, const QSize &window)
{
    if (source.isEmpty() || window.isEmpty())
        return QSize();
    QSize size = source.scaled(window, Qt::KeepAspectRatioByExpanding);
    if (size.width() > source.width() || size.height() > source.height())
        size = source;
    if (size.width() > MaxSide || size.height() > MaxSide)
        size = size.scaled(MaxSide, MaxSide, Qt::KeepAspectRatio);
    return size.expandedTo(QSize(1, 1));
}

Decoded decode(const QString &path, const QSize &window)
{
    Decoded decoded;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize source = reader.size();
    if (!source.isValid())
        return decoded;
    if (qint64(source.width()) * source.height() > MaxSourcePixels)
        return decoded;
    // The scaled size applies before the orientation tag turns the picture.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    if (turned)
        source.transpose();
    decoded.sourceSize = source;
    QSize size = decodeSize(source, window);
    if (size.isEmpty())
        return decoded;
    if (size != source)
        reader.setScaledSize(turned ? size.transposed() : size);
    decoded.image = reader.read();
    if (decoded.image.isNull())
        decoded.sourceSize = QSize();
    return decoded;
}

} // namespace PictureFile
