// Writes the starting corpus of the fuzzer: the sample schemes of the model tests.

#include "model/lumoramediaobject.h"
#include "model/schemewriter.h"
#include "schemesamples.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = SchemeWriter::save(dir.filePath(QStringLiteral("rich.schx")), SchemeSamples::rich());
    ok = ok && SchemeWriter::save(dir.filePath(QStringLiteral("empty.schx")), Scheme());
    int i = 0;
    for (const SchemeSamples::GoldenMedia &g : SchemeSamples::goldenMedia()) {
        const Scheme one = SchemeSamples::wrap({g.media}); // owns the item from here
        ok = ok && SchemeWriter::save(dir.filePath(QStringLiteral("media%1.schx").arg(i++)), one);
    }
    return ok ? 0 : 1;
}
