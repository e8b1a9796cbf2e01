#include "translations.h"

#include <QCoreApplication>
#include <QTranslator>

const char *programTranslationResource(int language)
{
    switch (language) {
    case 0: return ":/images/deskTop_eng_ch.qm";
    case 1: return ":/images/deskTop_eng_en.qm";
    default: return "";
    }
}

const char *toolkitTranslationResource(int language)
{
    // English takes the toolkit's own texts: loading another language's catalogue
    // would put foreign words into the standard dialogs of an English interface.
    return language == 0 ? ":/images/qt_zh_CN.qm" : "";
}

bool installTranslations(int language)
{
    static QTranslator *program = nullptr;
    static QTranslator *toolkit = nullptr;
    for (QTranslator **t : {&program, &toolkit}) {
        if (*t) {
            QCoreApplication::removeTranslator(*t);
            delete *t;
            *t = nullptr;
        }
    }
    bool ok = true;
    const QString programName = QString::fromLatin1(programTranslationResource(language));
    const QString toolkitName = QString::fromLatin1(toolkitTranslationResource(language));
    if (!programName.isEmpty()) {
        program = new QTranslator(QCoreApplication::instance());
        ok = program->load(programName) && ok;
        QCoreApplication::installTranslator(program);
    }
    if (!toolkitName.isEmpty()) {
        toolkit = new QTranslator(QCoreApplication::instance());
        ok = toolkit->load(toolkitName) && ok;
        QCoreApplication::installTranslator(toolkit);
    }
    return ok;
}
