#pragma once

#include <QString>
#include <QStringList>

// What a file chosen in "Add Media" -> "File" becomes, decided from its name alone.
namespace ImportRules {

// The filter of the file dialog, shown as it stands in every language. It offers "vob",
// which no kind takes, and leaves out "bmp", which the picture kind takes when typed.
QString fileFilter();

// The extensions of each kind, in the order the kinds are tried.
const QStringList &videoExtensions();
const QStringList &pictureExtensions();
const QStringList &textExtensions();
const QStringList &officeExtensions();

// "video", "image", "txt" or "office" for the text after the last "." of the file name,
// compared without regard to case; empty for a file no kind takes.
QString kindOf(const QString &path);

} // namespace ImportRules
