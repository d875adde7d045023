#pragma once

#include <QFont>
#include <QString>

namespace tessaly::platform {

// The installed family that stands in for a family named by a window design
// or a skin ("Arial" -> "Liberation Sans", "Tahoma" -> "DejaVu Sans").
// Asking Qt for a family that is not installed makes it search its aliases,
// which costs a noticeable part of a second, so names are mapped here once.
QString installedFamily(const QString& family);

// A font of the mapped family whose height follows the design convention:
// a negative height is the character height in pixels (the em size), a
// positive height the cell height (ascent plus descent).
QFont fontForHeight(const QString& family, int height);

} // namespace tessaly::platform
