#pragma once

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QKeySequence>
#include <QObject>

class MyWinEventFilter;

// A desktop-wide hot key ("Ctrl+Q" raises the main window). The key and modifier
// translation to the Windows-style virtual key and hot-key flags is kept portable;
// the platform layer grabs the native key.
class MyGlobalShortCut : public QObject
{
    Q_OBJECT

public:
    MyGlobalShortCut(const QString &key, QObject *parent = nullptr);
    ~MyGlobalShortCut() override;

    // Virtual-key code for a Qt key; 0 when the key has no entry in the table.
    static unsigned int nativeKeycode(Qt::Key key);
    // Hot-key flags: Alt 1, Control 2, Shift 4, Meta 8.
    static unsigned int nativeModifiers(Qt::KeyboardModifiers modifiers);
    static unsigned int identifier(unsigned int virtualKey, unsigned int flags) { return flags ^ virtualKey; }

    bool isRegistered() const { return m_registered; }
    Qt::Key key() const { return m_key; }
    Qt::KeyboardModifiers modifiers() const { return m_modifiers; }

    // Called by the event filter with a decoded hot-key message.
    bool handleHotKey(unsigned int virtualKey, unsigned int flags);

signals:
    void activated();

private:
    Qt::Key m_key = Qt::Key_unknown;
    Qt::KeyboardModifiers m_modifiers;
    unsigned int m_virtualKey = 0;
    unsigned int m_flags = 0;
    bool m_registered = false;
    MyWinEventFilter *m_filter = nullptr;
};

class MyWinEventFilter : public QAbstractNativeEventFilter
{
public:
    explicit MyWinEventFilter(MyGlobalShortCut *shortcut);
    bool nativeEventFilter(const QByteArray &eventType, void *message, long *result) override;

private:
    MyGlobalShortCut *m_shortcut;
};
