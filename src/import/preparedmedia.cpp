#include "preparedmedia.h"

#include "picturefile.h"
#include "textfile.h"

PreparedMedia PreparedMedia::prepare(const QString &path, const QString &kind, const QSize &windowSize)
{
    PreparedMedia prepared;
    prepared.path = path;
    prepared.kind = kind;
    if (kind == QLatin1String("image")) {
        const PictureFile::Decoded decoded = PictureFile::decode(path, windowSize);
        prepared.picture = decoded.image;
        prepared.pictureSourceSize = decoded.sourceSize;
    } else if (kind == QLatin1String("txt")) {
        const TextFile::Content content = TextFile::read(path);
        prepared.text = content.text;
        prepared.textCut = content.cut;
    }
    // A "video" is not opened: whether it plays shows when it plays.
    return prepared;
}
