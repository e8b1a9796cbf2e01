#include "playhost.h"

#include <QMessageBox>

PlayHost::~PlayHost() = default;

void PlayHost::showInformation(const QString &title, const QString &text)
{
    QMessageBox::information(hostWindow(), title, text, QMessageBox::Ok);
}
