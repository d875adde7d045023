#pragma once

// What popup menus and hints tell assistive tools. A popup window draws
// its items itself, so Qt would see one unnamed window: here it is a popup
// menu whose children are its items, each with its caption, states
// (disabled, checked, highlighted, opening a sub-menu) and a "Press"
// action that chooses it as a click does. Hints are tool tips.

class QObject;
class QAccessibleInterface;
class QString;

namespace tessaly::skin {

class SkinPopupWindow;

// The interface for a popup window or a hint window, or null for any other
// object.
QAccessibleInterface* skinnedMenuAccessible(const QString& className, QObject* object);

// Installs the factory; calling it again does nothing.
void installMenuAccessibility();

// Events for listening tools: a popup window opened or closed, its
// highlight moved to the item at `index`.
void tellMenuOpened(SkinPopupWindow& window);
void tellMenuClosed(SkinPopupWindow& window);
void tellItemHighlighted(SkinPopupWindow& window, int index);

} // namespace tessaly::skin
