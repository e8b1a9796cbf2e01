#pragma once

#include <QByteArray>
#include <Qt>

// System-wide hot keys. Registration is keyed by the Windows-style pair the
// application records (virtual key, modifier flags: Alt 1, Control 2, Shift 4, Meta 8);
// the platform layer grabs the matching native key and hands matching presses back
// as that pair, so the portable filter works the same on every platform.
namespace NativeHotKey {

// Grabs `qtKey` with the given flags for the whole desktop. False when the key has
// no native counterpart or the grab failed (another client holds it).
bool registerHotKey(int qtKey, unsigned int flags, unsigned int virtualKey);
void unregisterHotKey(unsigned int flags, unsigned int virtualKey);

// The native event type the filter has to look at on this platform.
QByteArray eventType();

// If `message` is a press of a registered hot key, stores the recorded pair and
// returns true.
bool decode(const QByteArray &eventType, void *message, unsigned int *virtualKey, unsigned int *flags);

} // namespace NativeHotKey
