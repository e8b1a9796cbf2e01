#include "playhost.h"

#include <QDebug>

PlayHost::~PlayHost() = default;

void PlayHost::showInformation(const QString &title, const QString &text)
{
    // A host without a window of its own (a test's, the simulation's) has nobody to ask.
    qWarning().noquote() << title << text;
}
