#include "paneltexts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>

PanelTexts::PanelTexts(const char *context)
    : m_context(context)
{}

void PanelTexts::items(QComboBox *box, const QList<const char *> &sources)
{
    const char *context = m_context;
    items(box, [context, sources] {
        QStringList texts;
        for (const char *source : sources)
            texts << QCoreApplication::translate(context, source);
        return texts;
    });
}

void PanelTexts::items(QComboBox *box, const std::function<QStringList()> &texts)
{
    m_items.append({box, texts});
    setItems(box, texts());
}

void PanelTexts::apply()
{
    for (const Text &text : qAsConst(m_texts))
        setText(text.widget, translate(text.source));
    for (const Items &items : qAsConst(m_items))
        setItems(items.box, items.texts());
}

QString PanelTexts::translate(const char *source) const
{
    return QCoreApplication::translate(m_context, source);
}

void PanelTexts::setText(QObject *widget, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(widget))
        group->setTitle(text);
}

void PanelTexts::setItems(QComboBox *box, const QStringList &texts)
{
    // Renaming in place keeps the current index and sends no change signal.
    for (int i = 0; i < texts.size(); ++i) {
        if (i < box->count())
            box->setItemText(i, texts.at(i));
        else
            box->addItem(texts.at(i));
    }
}
