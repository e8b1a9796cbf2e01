#include "preparedmedia.h"

#include "textfile.h"

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
    // A "video" is not opened: whether it plays shows when it plays.
    return prepared;
}
