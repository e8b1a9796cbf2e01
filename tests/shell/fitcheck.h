#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QTextDocument>
#include <QToolButton>
#include <QWidget>

// What of `surface` an operator cannot read or reach as laid out now: a label or button whose
// text needs more width than it was given (the toolkit then cuts or elides it), and a control
// whose right edge lies past the surface's (panels scroll down, never sideways). Empty when
// everything fits.
inline QStringList fitProblems(const QString &name, QWidget *surface)
{
    QStringList problems;
    const auto describe = [](QWidget *w, const QString &text) {
        return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), text);
    };
    const QList<QWidget *> widgets = surface->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->isVisible() || w->width() <= 0 || w->height() <= 0)
            continue;
        // Only what is on the surface itself: pop-ups and views of combo boxes have their own.
        if (w->window() != surface->window())
            continue;
        QString text;
        int needed = 0;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->wordWrap() || label->text().isEmpty())
                continue;
            text = label->text();
            if (Qt::mightBeRichText(text)) {
                QTextDocument document;
                document.setDefaultFont(label->font());
                document.setHtml(text);
                document.setDocumentMargin(0);
                needed = int(document.idealWidth()) + 2 * label->margin() + label->frameWidth() * 2;
            } else {
                needed = label->minimumSizeHint().width();
            }
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (button->text().isEmpty() || qobject_cast<QToolButton *>(w))
                continue;
            text = button->text();
            needed = button->sizeHint().width();
        }
        if (needed > w->width())
            problems << QStringLiteral("%1: %2 needs %3 px, has %4").arg(name, describe(w, text)).arg(needed).arg(w->width());
        const QRect onSurface(w->mapTo(surface, QPoint(0, 0)), w->size());
        // A control inside a scrolled view counts where the view shows it.
        if (onSurface.right() > surface->width() - 1 && !qobject_cast<QWidget *>(w->parent())->inherits("QAbstractScrollArea"))
            problems << QStringLiteral("%1: %2 ends at %3, past the edge at %4")
                            .arg(name, describe(w, text.isEmpty() ? w->objectName() : text))
                            .arg(onSurface.right() + 1)
                            .arg(surface->width());
    }
    return problems;
}
