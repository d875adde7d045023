#pragma once

#include <QEvent>

namespace tessaly::skin {

// The notices a popup menu sends to the control that opened it, delivered
// synchronously with QCoreApplication::sendEvent:
// - closeSkinMenuEvent: the whole menu has closed, by whatever way (a menu
//   that cannot open sends it at once);
// - skinMenuItemDoneEvent: the chosen item's command has run (always after
//   closeSkinMenuEvent of the same popup).
inline constexpr QEvent::Type closeSkinMenuEvent = QEvent::Type(QEvent::User + 1228);
inline constexpr QEvent::Type skinMenuItemDoneEvent = QEvent::Type(QEvent::User + 1229);

} // namespace tessaly::skin
