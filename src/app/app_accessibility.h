#pragma once

class QObject;
class QAccessibleInterface;
class QString;

namespace tessaly::app {

// What the report's pages tell assistive tools: the pages are a group of
// tabbed pages, the messages view a group, its list a list whose value is
// the message the keyboard is on (as the report line it came from). These
// widgets draw themselves, so Qt would offer a plain "client".
QAccessibleInterface* appWidgetAccessible(const QString& className, QObject* object);

// Installs the factory; calling it again does nothing.
void installAppAccessibility();

} // namespace tessaly::app
