#include "importrules.h"

#include <QFileInfo>

namespace ImportRules {

QString fileFilter()
{
    return QStringLiteral("(*.mp4 *.mov *.vob *.flv *.rmvb *.avi *.mkv *.mpg *.mpeg *.wmv *.rm *.jpg *.png "
                          "*.jpeg *.gif *.txt *.doc *.docx *.ppt *.pptx *.xls *.xlsx)");
}

const QStringList &videoExtensions()
{
    static const QStringList list{QStringLiteral("mp4"), QStringLiteral("flv"),  QStringLiteral("rmvb"),
                                  QStringLiteral("avi"), QStringLiteral("mkv"),  QStringLiteral("mpg"),
                                  QStringLiteral("mov"), QStringLiteral("mpeg"), QStringLiteral("wmv"),
                                  QStringLiteral("rm")};
    return list;
}

const QStringList &pictureExtensions()
{
    static const QStringList list{QStringLiteral("jpg"), QStringLiteral("png"), QStringLiteral("bmp"),
                                  QStringLiteral("jpeg"), QStringLiteral("gif")};
    return list;
}

const QStringList &textExtensions()
{
    static const QStringList list{QStringLiteral("txt")};
    return list;
}

const QStringList &officeExtensions()
{
    static const QStringList list{QStringLiteral("doc"),  QStringLiteral("docx"), QStringLiteral("ppt"),
                                  QStringLiteral("pptx"), QStringLiteral("xls"),  QStringLiteral("xlsx")};
    return list;
}

QString kindOf(const QString &path)
{
    // The name only: a "." in a folder name must not make an extension.
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    const QString extension = name.mid(dot + 1).toLower();
    if (videoExtensions().contains(extension))
        return QStringLiteral("video");
    if (pictureExtensions().contains(extension))
        return QStringLiteral("image");
    if (textExtensions().contains(extension))
        return QStringLiteral("txt");
    if (officeExtensions().contains(extension))
        return QStringLiteral("office");
    return QString();
}

} // namespace ImportRules
