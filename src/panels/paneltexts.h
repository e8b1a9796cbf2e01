#pragma once

#include <QList>
#include <QStringList>

#include <functional>

class QComboBox;
class QObject;

// The translated texts of one panel, kept so that a language change can set them again: labels,
// buttons, check boxes and group titles by their source text, combo boxes by their item texts
// (extra items added at run time, such as a chosen picture's path, stay as they are).
class PanelTexts
{
public:
    // `context` is the translation context the source texts were marked in (the panel's class).
    explicit PanelTexts(const char *context);

    // Sets `source` on `widget` now and again at every apply(); returns the widget.
    template<class W> W *add(W *widget, const char *source)
    {
        m_texts.append({widget, source});
        setText(widget, translate(source));
        return widget;
    }
    // Items marked in this context.
    void items(QComboBox *box, const QList<const char *> &sources);
    // Items translated elsewhere, read again at every apply().
    void items(QComboBox *box, const std::function<QStringList()> &texts);

    void apply();

private:
    QString translate(const char *source) const;
    static void setText(QObject *widget, const QString &text);
    static void setItems(QComboBox *box, const QStringList &texts);

    struct Text
    {
        QObject *widget;
        const char *source;
    };
    struct Items
    {
        QComboBox *box;
        std::function<QStringList()> texts;
    };
    const char *m_context;
    QList<Text> m_texts;
    QList<Items> m_items;
};
