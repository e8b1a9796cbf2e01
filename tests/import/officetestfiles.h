#pragma once

// Documents the office tests make at run time.
#include <QColor>
#include <QFile>
#include <QList>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

// A PDF with one page of `pointSize` per colour, each page filled with its colour.
inline bool writeColourPdf(const QString &path, const QList<QColor> &colours,
                           const QSizeF &pointSize = QSizeF(595, 842))
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(pointSize, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < colours.size(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.fillRect(QRectF(QPointF(0, 0), pointSize * 2), colours.at(i));
    }
    return painter.end();
}

inline bool writeTextFile(const QString &path, const QByteArray &text, bool executable = false)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text) != text.size())
        return false;
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return true;
}
