#pragma once

#include <QCoreApplication>
#include <QString>

class Scheme;
class Widget;

// The scheme document: writes the main window's scheme to a .schx file and reads one back
// into the main window. A file is read and checked whole before anything of the current
// scheme is touched, and written through a temporary file, so neither a damaged file nor a
// failed save costs the operator a scheme.
class Prodoc
{
    Q_DECLARE_TR_FUNCTIONS(Prodoc)

public:
    explicit Prodoc(Widget *mainWindow);

    // Returns false with a reason when the file could not be written; the previous file then
    // stays as it was.
    bool save(const QString &path, QString *errorString = nullptr) const;
    // Reads and checks the whole file into `scheme`; on failure returns false with a reason and
    // leaves `scheme` empty.
    bool read(const QString &path, Scheme &scheme, QString *errorString = nullptr) const;
    // Builds `scheme` into the (already cleared) main window; the records move over.
    void load(Scheme &scheme);

private:
    Widget *m_mainWindow;
    mutable QString m_schemeFolder; // of the file read last
};
