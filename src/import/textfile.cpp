#include "textfile.h"

#include <QFile>
#include <QTextCodec>

namespace {
// Bytes at the end that begin a UTF-8 sequence the cut left incomplete (0 when none).
int incompleteUtf8Tail(const QByteArray &bytes)
{
    const int size = bytes.size();
    for (int back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(bytes.at(size - back));
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for the lead
        int length = 1;
        if ((byte & 0xE0) == 0xC0)
            length = 2;
        else if ((byte & 0xF0) == 0xE0)
            length = 3;
        else if ((byte & 0xF8) == 0xF0)
            length = 4;
        return length > back ? back : 0;
    }
    return 0;
}

// GB18030 leads its two- and four-byte characters with 0x81..0xFE; a lone lead at the cut
// is dropped. (A four-byte character cut after its second byte leaves a valid-looking pair
// of ASCII-range bytes; those come out as replacement characters, which is harmless.)
int incompleteGbTail(const QByteArray &bytes)
{
    int leads = 0;
    for (int i = bytes.size() - 1; i >= 0; --i) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        if (byte < 0x81 || byte > 0xFE)
            break;
        ++leads;
    }
    // An odd run of lead-range bytes at the end ends in half a character.
    return leads % 2;
}
} // namespace

namespace TextFile {

QString decode(const QByteArray &bytes, bool cut)
{
    const auto at = [&bytes](int i) { return static_cast<unsigned char>(bytes.at(i)); };
    if (bytes.size() >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
        QByteArray even = bytes.mid(2);
        if (even.size() % 2)
            even.chop(1);
        const char *codec = at(0) == 0xFF ? "UTF-16LE" : "UTF-16BE";
        return QTextCodec::codecForName(codec)->toUnicode(even);
    }

    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QByteArray utf8 = body;
    if (cut)
        utf8.chop(incompleteUtf8Tail(utf8));
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(utf8.constData(), utf8.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;

    if (cut)
        body.chop(incompleteGbTail(body));
    QTextCodec *gb = QTextCodec::codecForName("GB18030");
    return gb ? gb->toUnicode(body) : QString::fromLocal8Bit(body);
}

Content read(const QString &path)
{
    Content content;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return content;
    content.opened = true;
    const QByteArray bytes = file.read(MaxBytes);
    // One byte more tells a file of exactly MaxBytes from a longer one.
    content.cut = bytes.size() == MaxBytes && !file.read(1).isEmpty();
    content.text = decode(bytes, content.cut);
    return content;
}

} // namespace TextFile
