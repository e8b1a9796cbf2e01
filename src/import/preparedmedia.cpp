#include "preparedmedia.h"

#include "textfile.h"
#include "videoprobe.h"

PreparedMedia PreparedMedia::prepare(const QString &path, const QString &kind)
{
    PreparedMedia prepared;
    prepared.path = path;
    prepared.kind = kind;
    // A picture is not decoded here: the item keeps its path, and the play windows decode it
    // at their size when it plays, so a thousand photos cost no memory until then.
    if (kind == QLatin1String("txt")) {
        const TextFile::Content content = TextFile::read(path);
        prepared.text = content.text;
        prepared.textCut = content.cut;
    }
    if (kind == QLatin1String("video")) {
        const VideoProbe::Result probed = VideoProbe::probe(path);
        if (probed.ok)
            prepared.videoMsecs = probed.msecs;
    }
    return prepared;
}
