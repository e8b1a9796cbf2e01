#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class Scheme;
class Widget;

// The open scheme: the file it belongs to, and the writing of the main window's scheme to a
// .schx file and the reading of one back into the main window. A file is read and checked
// whole before anything of the current scheme is touched, and written through a temporary
// file, so neither a damaged file nor a failed save costs the operator a scheme. The main
// window asks the operator; this does what was asked.
class Prodoc
{
    Q_DECLARE_TR_FUNCTIONS(Prodoc)

public:
    explicit Prodoc(Widget *mainWindow);

    // The file the scheme was read from or saved to; empty for a scheme that has none yet.
    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    // Whether the scheme differs from what was last opened, saved or taken as the start of a
    // new one. The scheme is encoded as it would be saved and compared, so every edit counts,
    // whatever made it, and an edit taken back again does not.
    bool isModified() const;
    // Takes the scheme as it stands as the unmodified one (after a new scheme is built).
    void markUnmodified() const;

    // Reads and checks `path` whole and only then replaces the main window's scheme by it,
    // which then belongs to that file. On failure returns false with a reason and changes
    // nothing.
    bool open(const QString &path, QString *errorString = nullptr);
    // Empties the main window's scheme; what is built next belongs to no file until saved.
    void close();

    // Returns false with a reason when the file could not be written; the previous file then
    // stays as it was. What was written is the unmodified scheme from then on.
    bool save(const QString &path, QString *errorString = nullptr) const;
    // Reads and checks the whole file into `scheme`; on failure returns false with a reason and
    // leaves `scheme` empty.
    bool read(const QString &path, Scheme &scheme, QString *errorString = nullptr) const;
    // Builds `scheme` into the (already cleared) main window; the records move over.
    void load(Scheme &scheme);

private:
    QByteArray encode() const;

    Widget *m_mainWindow;
    QString m_path;
    mutable QByteArray m_unmodified; // the scheme as last opened, saved or started
    mutable QString m_schemeFolder;  // of the file read last
};
