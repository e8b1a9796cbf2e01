#include "backgroundstyle.h"

#include "model/lumoramediaobject.h"

BackgroundStyle backgroundRule(const BackgroundProperties &bg)
{
    BackgroundStyle style;
    if (bg.backgroundTransparent) {
        style.styleSheet = QStringLiteral("background:transparent");
    } else if (bg.backgroundIsColor) {
        // Opaque: the style-sheet parser refuses an rgba() without its alpha, and the
        // background would then not be drawn at all.
        style.styleSheet = QStringLiteral("background:rgb(%1,%2,%3);")
                               .arg(bg.backgroundColor.red())
                               .arg(bg.backgroundColor.green())
                               .arg(bg.backgroundColor.blue());
    } else if (bg.backgroundImageStyle == 0) {
        style.styleSheet = QStringLiteral("background-image: url(%1);").arg(bg.backgroundImage);
    } else if (bg.backgroundImageStyle == 1) {
        style.styleSheet = QStringLiteral("border-image: url(%1);").arg(bg.backgroundImage);
    } else {
        style.picturePath = bg.backgroundImage;
    }
    return style;
}
