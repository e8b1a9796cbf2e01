// libFuzzer entry for the scheme reader: no input may crash it, hang it or make it
// allocate without bound, and whatever it accepts must survive a write and re-read.

#include "model/schemereader.h"
#include "model/schemewriter.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    SchemeReader reader;
    if (!reader.read(input)) {
        if (reader.status() == SchemeReader::Damaged &&
            (reader.damageOffset() < 0 || reader.damageOffset() > qint64(size)))
            abort(); // the offset must point into the data (or at its end)
        return 0;
    }
    // The first write normalises what the reader tolerates (any non-zero bool, a foreign
    // time spelling); from then on writing and reading must be exact inverses.
    const QByteArray once = SchemeWriter::encode(reader.scheme());
    SchemeReader again;
    if (!again.read(once))
        abort();
    if (SchemeWriter::encode(again.scheme()) != once)
        abort();
    return 0;
}
