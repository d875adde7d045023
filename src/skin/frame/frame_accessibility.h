#pragma once

// What a skinned window tells assistive tools. The frame draws the caption
// buttons itself, so Qt would see a window without them: here the window
// is a window named by its title, with its caption buttons as push buttons
// ("Close", "Minimize", "Maximize" or "Restore", "Roll up" or "Roll down",
// "System menu") before the widgets of its client area. "Press" runs a
// button's command as a click does; the system menu button opens its menu.

class QObject;
class QAccessibleInterface;
class QString;

namespace tessaly::skin {

class SkinFrame;

// The interface for a window that wears a skinned frame, or null for any
// other object.
QAccessibleInterface* skinnedWindowAccessible(const QString& className, QObject* object);

// Installs the factory; calling it again does nothing.
void installFrameAccessibility();

} // namespace tessaly::skin
