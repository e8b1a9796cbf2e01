#include "myglobalshortcut.h"

#include "platform/nativehotkey.h"

#include <QCoreApplication>

MyGlobalShortCut::MyGlobalShortCut(const QString &key, QObject *parent)
    : QObject(parent)
{
    const QKeySequence sequence(key);
    const int combined = sequence.isEmpty() ? 0 : sequence[0];
    const int modifierBits = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    m_key = Qt::Key(combined & ~modifierBits);
    m_modifiers = Qt::KeyboardModifiers(combined & modifierBits);
    m_virtualKey = nativeKeycode(m_key);
    m_flags = nativeModifiers(m_modifiers);
    if (m_virtualKey == 0)
        return;
    m_registered = NativeHotKey::registerHotKey(m_key, m_flags, m_virtualKey);
    if (m_registered) {
        m_filter = new MyWinEventFilter(this);
        QCoreApplication::instance()->installNativeEventFilter(m_filter);
    }
}

MyGlobalShortCut::~MyGlobalShortCut()
{
    if (m_filter) {
        QCoreApplication::instance()->removeNativeEventFilter(m_filter);
        delete m_filter;
    }
    if (m_registered)
        NativeHotKey::unregisterHotKey(m_flags, m_virtualKey);
}

unsigned int MyGlobalShortCut::nativeKeycode(Qt::Key key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return unsigned(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + unsigned(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_Print: return 0x2A;
    case Qt::Key_Clear: return 0x0C;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_Space: return 0x20;
    default: return 0;
    }
}

unsigned int MyGlobalShortCut::nativeModifiers(Qt::KeyboardModifiers modifiers)
{
    unsigned int flags = 0;
    if (modifiers & Qt::AltModifier)
        flags |= 1;
    if (modifiers & Qt::ControlModifier)
        flags |= 2;
    if (modifiers & Qt::ShiftModifier)
        flags |= 4;
    if (modifiers & Qt::MetaModifier)
        flags |= 8;
    return flags;
}

bool MyGlobalShortCut::handleHotKey(unsigned int virtualKey, unsigned int flags)
{
    if (!m_registered || virtualKey != m_virtualKey || flags != m_flags)
        return false;
    emit activated();
    return true;
}

MyWinEventFilter::MyWinEventFilter(MyGlobalShortCut *shortcut)
    : m_shortcut(shortcut)
{
}

bool MyWinEventFilter::nativeEventFilter(const QByteArray &eventType, void *message, long *result)
{
    Q_UNUSED(result)
    unsigned int virtualKey = 0;
    unsigned int flags = 0;
    if (!NativeHotKey::decode(eventType, message, &virtualKey, &flags))
        return false;
    return m_shortcut->handleHotKey(virtualKey, flags);
}
