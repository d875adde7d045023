#pragma once

// What the skinned buttons tell assistive tools (screen readers, test
// tools): they paint themselves, so Qt sees plain widgets and would offer
// an unnamed "client". The labels and the edit's text field are Qt's own
// label and line edit and speak for themselves.

class QObject;
class QAccessibleInterface;
class QString;

namespace tessaly::skin {

// The interface for a skinned button, or null for any other object. Install
// it once (QAccessible::installFactory) before the first window shows.
QAccessibleInterface* skinnedControlAccessible(const QString& className, QObject* object);

// Installs the factory; calling it again does nothing.
void installControlAccessibility();

} // namespace tessaly::skin
