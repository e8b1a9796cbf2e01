#include "schemefiles.h"

#include "commonwinobject.h"
#include "lumoramediaobject.h"
#include "mediabody.h"
#include "programobject.h"
#include "scheme.h"

#include <QDir>

namespace {

// Sees only the text fields that name files; every other field is passed by.
struct FileFieldVisitor
{
    const std::function<void(QString &, SchemeFiles::Role)> &visit;
    SchemeFiles::Role mainRole;

    void text(const char *field, QString &value)
    {
        if (value.isEmpty())
            return;
        const QLatin1String name(field);
        if (name == QLatin1String("filePath"))
            visit(value, mainRole);
        else if (name == QLatin1String("backgroundImage"))
            visit(value, SchemeFiles::Role::Background);
        else if (name == QLatin1String("backgroundMusic"))
            visit(value, SchemeFiles::Role::Music);
    }
    template<class T> void int32(const char *, T &) {}
    template<class T> void int32Flag(const char *, T &) {}
    template<class T> void boolean(const char *, T &) {}
    template<class T> void colour(const char *, T &) {}
    template<class T> void time(const char *, T &) {}
    template<class T> void timeMs(const char *, T &) {}
};

} // namespace

namespace SchemeFiles {

void forEach(Scheme &scheme, const std::function<void(QString &path, Role role)> &visit)
{
    for (const auto &display : scheme.displayWindows) {
        for (ProgramObject *program : display->schedule.allPrograms()) {
            if (!program->backgroundImage.isEmpty())
                visit(program->backgroundImage, Role::Background);
            for (QString &music : program->backgroundMusic) {
                if (!music.isEmpty())
                    visit(music, Role::Music);
            }
            for (CommonWinObject *window : qAsConst(program->windows)) {
                for (LumoraMediaObject *media : qAsConst(window->media)) {
                    const Role role = media->type == QLatin1String("office") ? Role::Office : Role::Media;
                    FileFieldVisitor visitor{visit, role};
                    MediaBody::visit(visitor, MediaBody::groupOf(media->type), *media);
                }
            }
        }
    }
}

void resolveRelative(Scheme &scheme, const QString &folder)
{
    const QDir base(folder);
    forEach(scheme, [&base](QString &path, Role) {
        if (QDir::isRelativePath(path) && !path.contains(QLatin1String("://")))
            path = QDir::cleanPath(base.absoluteFilePath(path));
    });
}

} // namespace SchemeFiles
