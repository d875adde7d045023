#pragma once

// What the skinned controls tell assistive tools (screen readers, test
// tools): the buttons and the status bar paint themselves, so Qt sees
// plain widgets and would offer an unnamed "client"; the link label would
// be static text. The plain labels and the edit's text field are Qt's own
// label and line edit and speak for themselves.

class QObject;
class QAccessibleInterface;
class QString;

namespace tessaly::skin {

// The interface for a skinned button, link or status bar, or null for any
// other object. Install
// it once (QAccessible::installFactory) before the first window shows.
QAccessibleInterface* skinnedControlAccessible(const QString& className, QObject* object);

// Drops the interface Qt made for `object` while only its Qt base class
// existed (QLabel announces its text while being built), so that the next
// query reaches the factory. For the constructors of such controls.
void forgetBaseAccessible(QObject* object);

// Installs the factory; calling it again does nothing.
void installControlAccessibility();

} // namespace tessaly::skin
