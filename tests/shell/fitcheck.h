#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QTextDocument>
#include <QToolButton>
#include <QWidget>

// What of `surface` an operator cannot read or reach as laid out now: a label or button given
// less width than its text or face needs (the toolkit then cuts or elides it), and a control
// whose right edge lies past the surface's (panels scroll down, never sideways). Empty when
// everything fits.
inline QStringList fitProblems(const QString &name, QWidget *surface)
{
    QStringList problems;
    const auto describe = [](QWidget *w, const QString &text) {
        return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), text);
    };
    // The surface itself too: a panel wider than the area that shows it is cut there.
    QList<QWidget *> widgets = surface->findChildren<QWidget *>();
    widgets.prepend(surface);
    for (QWidget *w : widgets) {
        if (!w->isVisible() || w->width() <= 0 || w->height() <= 0)
            continue;
        // Only what is on the surface's window: pop-ups and views of combo boxes have their own.
        if (w->window() != surface->window())
            continue;
        QString text;
        int needed = 0;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            text = label->text();
            const bool measured = !label->wordWrap() && !text.isEmpty();
            if (measured && Qt::mightBeRichText(text)) {
                QTextDocument document;
                document.setDefaultFont(label->font());
                document.setHtml(text);
                document.setDocumentMargin(0);
                needed = int(document.idealWidth()) + 2 * label->margin() + label->frameWidth() * 2;
            } else if (measured) {
                needed = label->minimumSizeHint().width();
            }
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            // A button without text (a colour face) still has the width it asks for.
            text = button->text();
            if (!qobject_cast<QToolButton *>(w))
                needed = text.isEmpty() ? qMin(button->sizeHint().width(), button->maximumWidth())
                                        : button->sizeHint().width();
        }
        if (needed > w->width())
            problems << QStringLiteral("%1: %2 needs %3 px, has %4").arg(name, describe(w, text)).arg(needed).arg(w->width());
        // Every widget clips its children: a layout squeezed below what its controls need, or a
        // scrolled page wider than its view, leaves the last ones past an edge, cut off. Panels
        // scroll down, never sideways, so only the right edge counts.
        for (QWidget *holder = w->parentWidget(); holder; holder = holder->parentWidget()) {
            const int right = w->mapTo(holder, QPoint(w->width() - 1, 0)).x();
            if (right > holder->width() - 1 && !holder->inherits("QAbstractScrollArea")) {
                problems << QStringLiteral("%1: %2 ends at %3, past the edge of %4 at %5")
                                .arg(name, describe(w, text.isEmpty() ? w->objectName() : text))
                                .arg(right + 1)
                                .arg(QString::fromLatin1(holder->metaObject()->className()))
                                .arg(holder->width());
                break;
            }
        }
    }
    return problems;
}
