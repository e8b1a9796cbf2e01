#pragma once

#include <QString>

#include <functional>

class Scheme;

// Every file a scheme names: the pictures, videos and office documents its items show, their
// background pictures and music, and the pages' background pictures and music. One walk serves
// the reader (names relative to the scheme's folder), the publisher (gathering and renaming the
// files of a bundle) and anything else that must know what a scheme needs on disk.
namespace SchemeFiles {

enum class Role { Media, Office, Background, Music };

// Calls `visit` with a reference to every non-empty file name; the callee may change it.
void forEach(Scheme &scheme, const std::function<void(QString &path, Role role)> &visit);

// Makes every relative file name absolute against `folder`, the scheme's: a relative name names
// a file beside the scheme, so a scheme that travels with its media folder (the demo, a
// published bundle, a copy on a stick) plays wherever it lands. Addresses ("://") stay.
void resolveRelative(Scheme &scheme, const QString &folder);

} // namespace SchemeFiles
