#pragma once

// Skin files a hostile user could hand the program, made from the built-in
// skin "pewter" at test time: well-formed, accepted by the packer, absurd.

#include <QString>
#include <QStringList>

namespace tessaly::testing {

// Writes into the folder, and returns the paths of:
//  huge_rects.skn: every rectangle 0,0,2147483647,2147483647 and every
//                  point 2147483647,2147483647;
//  huge_sizes.skn: borderwidth, formminwidth and formminheight 2147483647;
//  bombs.skn:      six more pictures of 8192 x 8192 at 1 bit per pixel,
//                  each decoding to 256 MB of 32-bit pixels.
QStringList writeHostileSkins(const QString& folder);

} // namespace tessaly::testing
