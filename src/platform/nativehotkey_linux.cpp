#include "nativehotkey.h"

#include <QGuiApplication>
#include <QHash>
#include <QX11Info>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace NativeHotKey {

namespace {

constexpr unsigned int FlagAlt = 1;
constexpr unsigned int FlagControl = 2;
constexpr unsigned int FlagShift = 4;
constexpr unsigned int FlagMeta = 8;

struct Grab
{
    xcb_keycode_t keycode = 0;
    uint16_t modifiers = 0;
};

// Registered hot keys by (virtual key << 16 | flags).
QHash<quint32, Grab> &grabs()
{
    static QHash<quint32, Grab> table;
    return table;
}

uint16_t xcbModifiers(unsigned int flags)
{
    uint16_t mods = 0;
    if (flags & FlagAlt)
        mods |= XCB_MOD_MASK_1;
    if (flags & FlagControl)
        mods |= XCB_MOD_MASK_CONTROL;
    if (flags & FlagShift)
        mods |= XCB_MOD_MASK_SHIFT;
    if (flags & FlagMeta)
        mods |= XCB_MOD_MASK_4;
    return mods;
}

// NumLock and CapsLock must not change whether the hot key fires.
const uint16_t IgnoredMasks[] = {0, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK};
constexpr uint16_t RelevantMask = XCB_MOD_MASK_1 | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_4;

xcb_keysym_t keysymFor(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return xcb_keysym_t(qtKey - Qt::Key_A + 'a');
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return xcb_keysym_t(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return xcb_keysym_t(0xffbe + (qtKey - Qt::Key_F1));
    switch (qtKey) {
    case Qt::Key_Escape:
        return 0xff1b;
    case Qt::Key_Tab:
        return 0xff09;
    case Qt::Key_Backspace:
        return 0xff08;
    case Qt::Key_Return:
        return 0xff0d;
    case Qt::Key_Enter:
        return 0xff8d;
    case Qt::Key_Insert:
        return 0xff63;
    case Qt::Key_Delete:
        return 0xffff;
    case Qt::Key_Pause:
        return 0xff13;
    case Qt::Key_Print:
        return 0xff61;
    case Qt::Key_Clear:
        return 0xff0b;
    case Qt::Key_Home:
        return 0xff50;
    case Qt::Key_End:
        return 0xff57;
    case Qt::Key_Left:
        return 0xff51;
    case Qt::Key_Up:
        return 0xff52;
    case Qt::Key_Right:
        return 0xff53;
    case Qt::Key_Down:
        return 0xff54;
    case Qt::Key_PageUp:
        return 0xff55;
    case Qt::Key_PageDown:
        return 0xff56;
    case Qt::Key_Space:
        return 0x20;
    default:
        return 0;
    }
}

xcb_connection_t *connection()
{
    if (!QX11Info::isPlatformX11())
        return nullptr;
    return QX11Info::connection();
}

} // namespace

bool registerHotKey(int qtKey, unsigned int flags, unsigned int virtualKey)
{
    xcb_connection_t *conn = connection();
    const xcb_keysym_t keysym = keysymFor(qtKey);
    if (!conn || keysym == 0)
        return false;

    xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(conn);
    if (!symbols)
        return false;
    xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols, keysym);
    xcb_key_symbols_free(symbols);
    if (!codes)
        return false;
    const xcb_keycode_t keycode = codes[0];
    free(codes);
    if (keycode == XCB_NO_SYMBOL)
        return false;

    const uint16_t mods = xcbModifiers(flags);
    const xcb_window_t root = QX11Info::appRootWindow();
    bool ok = true;
    for (const uint16_t extra : IgnoredMasks) {
        xcb_void_cookie_t cookie = xcb_grab_key_checked(conn, 1, root, mods | extra, keycode,
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t *error = xcb_request_check(conn, cookie)) {
            free(error);
            ok = false;
        }
    }
    if (!ok) {
        for (const uint16_t extra : IgnoredMasks)
            xcb_ungrab_key(conn, keycode, root, mods | extra);
        xcb_flush(conn);
        return false;
    }
    grabs().insert((quint32(virtualKey) << 16) | (flags & 0xffff), Grab{keycode, mods});
    return true;
}

void unregisterHotKey(unsigned int flags, unsigned int virtualKey)
{
    const quint32 id = (quint32(virtualKey) << 16) | (flags & 0xffff);
    const auto it = grabs().find(id);
    if (it == grabs().end())
        return;
    if (xcb_connection_t *conn = connection()) {
        const xcb_window_t root = QX11Info::appRootWindow();
        for (const uint16_t extra : IgnoredMasks)
            xcb_ungrab_key(conn, it->keycode, root, it->modifiers | extra);
        xcb_flush(conn);
    }
    grabs().erase(it);
}

QByteArray eventType()
{
    return QByteArrayLiteral("xcb_generic_event_t");
}

bool decode(const QByteArray &type, void *message, unsigned int *virtualKey, unsigned int *flags)
{
    if (type != eventType() || !message)
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    auto *press = reinterpret_cast<xcb_key_press_event_t *>(event);
    const uint16_t state = press->state & RelevantMask;
    for (auto it = grabs().cbegin(); it != grabs().cend(); ++it) {
        if (it->keycode == press->detail && it->modifiers == state) {
            *virtualKey = it.key() >> 16;
            *flags = it.key() & 0xffff;
            // The press is consumed here, before the toolkit sees its timestamp; without
            // it a window raised in answer would ask for the focus with an older time than
            // the other client's and the X server would ignore the request.
            QX11Info::setAppTime(press->time);
            QX11Info::setAppUserTime(press->time);
            return true;
        }
    }
    return false;
}

} // namespace NativeHotKey
