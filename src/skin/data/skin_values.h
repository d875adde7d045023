#pragma once

#include "skin/data/geometry.h"
#include "skin/data/skin_types.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaly::skin {

// The value encodings of the skin description. Readers never fail except
// for points and rectangles (see parsePoint); anything that does not convert
// gives the caller's default.

// Decimal with an optional sign, "0x"/"0X" followed by hexadecimal digits
// (the whole value at least 3 characters), or "$" followed by hexadecimal
// digits. Decimal values must fit 32 signed bits; hexadecimal ones may use
// all 32 bits and wrap to negative. Nothing else converts.
std::optional<int> parseInteger(std::string_view text);
int parseInteger(std::string_view text, int def);

// Exactly 1 is true; every other value, and anything that does not convert,
// is false.
bool parseBoolean(std::string_view text);

// Points and rectangles: each "," ends a field, every character other than
// a decimal digit vanishes, and each field is a decimal number. A field that
// kept no digit throws tessaly::Error "''%s'' is not a valid integer value"
// (the field's text in place of %s). Fields beyond the second (point) or the
// fourth (rectangle) are ignored.
Point parsePoint(std::string_view text);
Rect parseRect(std::string_view text);

// Each of "fsbold", "fsitalic", "fsunderline", "fsstrikeout" found anywhere
// in the value (case-sensitive) sets its member.
FontStyle parseFontStyle(std::string_view text);

// Keyword readers: exact, case-sensitive matches with the fallbacks of each
// encoding (the fallback for an absent key is the caller's default).
StretchType parseStretchType(std::string_view text);       // other: Horz
InActiveEffect parseInActiveEffect(std::string_view text); // other: GrayScale
MorphKind parseMorphKind(std::string_view text);           // other: Default
Alignment parseAlignment(std::string_view text);           // other: RightJustify
StdCommand parseStdCommand(std::string_view text);         // other: MinimizeToTray

std::string formatInteger(int value);
std::string formatColor(Color value); // as the signed 32-bit decimal
std::string formatBoolean(bool value);
std::string formatPoint(const Point& value);
std::string formatRect(const Rect& value);
std::string formatFontStyle(const FontStyle& value);
std::string_view formatStretchType(StretchType value);
std::string_view formatInActiveEffect(InActiveEffect value);
std::string_view formatMorphKind(MorphKind value);
std::string_view formatAlignment(Alignment value);
std::string_view formatStdCommand(StdCommand value);

} // namespace tessaly::skin
