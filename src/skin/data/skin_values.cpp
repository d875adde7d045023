#include "skin/data/skin_values.h"

#include "platform/error.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace tessaly::skin {

namespace {

std::optional<int> parseHex(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + uint64_t(d);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return int(int32_t(uint32_t(value)));
}

std::optional<int> parseDecimal(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-')
            return std::nullopt;
    }
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

[[noreturn]] void throwNotAnInteger(std::string_view field)
{
    throw Error("''" + std::string(field) + "'' is not a valid integer value");
}

// Splits the value into `count` numeric fields (see parsePoint).
template <std::size_t count>
std::array<int, count> parseFields(std::string_view text)
{
    std::array<std::string, count> fields;
    std::size_t index = 0;
    for (char c : text) {
        if (c == ',') {
            if (++index == count)
                break;
        } else if (c >= '0' && c <= '9') {
            fields[index] += c;
        }
    }
    std::array<int, count> values{};
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& field = fields[i];
        auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), values[i], 10);
        if (field.empty() || error != std::errc() || end != field.data() + field.size())
            throwNotAnInteger(field);
    }
    return values;
}

template <class E, std::size_t n>
std::optional<E> keyword(std::string_view text, const std::array<std::string_view, n>& names)
{
    for (std::size_t i = 0; i < n; ++i)
        if (text == names[i])
            return E(i);
    return std::nullopt;
}

constexpr std::array<std::string_view, 3> stretchNames{"stfull", "sthorz", "stvert"};
constexpr std::array<std::string_view, 6> effectNames{"iebrightness", "iedarkness", "iegrayscale",
                                                      "ienoise", "iesplitblur", "ieinvert"};
constexpr std::array<std::string_view, 7> morphNames{"mkdefault", "mkgradient", "mkleftgradient",
                                                     "mkrightgradient", "mkleftslide", "mkrightslide",
                                                     "mkpush"};
constexpr std::array<std::string_view, 3> alignmentNames{"taleftjustify", "tarightjustify", "tacenter"};
constexpr std::array<std::string_view, 7> commandNames{"cmclose", "cmmaximize", "cmminimize", "cmsysmenu",
                                                       "cmdefault", "cmrollup", "cmminimizetotray"};

} // namespace

std::optional<int> parseInteger(std::string_view text)
{
    if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return parseHex(text.substr(2));
    if (!text.empty() && text[0] == '$')
        return parseHex(text.substr(1));
    return parseDecimal(text);
}

int parseInteger(std::string_view text, int def)
{
    return parseInteger(text).value_or(def);
}

bool parseBoolean(std::string_view text)
{
    return parseInteger(text, 0) == 1;
}

Point parsePoint(std::string_view text)
{
    auto v = parseFields<2>(text);
    return {v[0], v[1]};
}

Rect parseRect(std::string_view text)
{
    auto v = parseFields<4>(text);
    return {v[0], v[1], v[2], v[3]};
}

FontStyle parseFontStyle(std::string_view text)
{
    auto has = [text](std::string_view name) { return text.find(name) != std::string_view::npos; };
    return {has("fsbold"), has("fsitalic"), has("fsunderline"), has("fsstrikeout")};
}

StretchType parseStretchType(std::string_view text)
{
    if (text == "stfull")
        return StretchType::Full;
    if (text == "stvert")
        return StretchType::Vert;
    return StretchType::Horz;
}

InActiveEffect parseInActiveEffect(std::string_view text)
{
    return keyword<InActiveEffect>(text, effectNames).value_or(InActiveEffect::GrayScale);
}

MorphKind parseMorphKind(std::string_view text)
{
    return keyword<MorphKind>(text, morphNames).value_or(MorphKind::Default);
}

Alignment parseAlignment(std::string_view text)
{
    if (text == "tacenter")
        return Alignment::Center;
    if (text == "taleftjustify")
        return Alignment::LeftJustify;
    return Alignment::RightJustify;
}

StdCommand parseStdCommand(std::string_view text)
{
    auto command = keyword<StdCommand>(text, commandNames);
    // "cmminimizetotray" is only ever written; reading takes it through the
    // fallback like any other unknown value.
    return command.value_or(StdCommand::MinimizeToTray);
}

std::string formatInteger(int value)
{
    return std::to_string(value);
}

std::string formatColor(Color value)
{
    return std::to_string(int32_t(value.value()));
}

std::string formatBoolean(bool value)
{
    return value ? "1" : "0";
}

std::string formatPoint(const Point& value)
{
    return std::to_string(value.x) + "," + std::to_string(value.y);
}

std::string formatRect(const Rect& value)
{
    return std::to_string(value.left) + "," + std::to_string(value.top) + "," + std::to_string(value.right)
        + "," + std::to_string(value.bottom);
}

std::string formatFontStyle(const FontStyle& value)
{
    std::string text;
    auto add = [&text](bool on, const char* name) {
        if (!on)
            return;
        if (!text.empty())
            text += ',';
        text += name;
    };
    add(value.bold, "fsbold");
    add(value.italic, "fsitalic");
    add(value.underline, "fsunderline");
    add(value.strikeOut, "fsstrikeout");
    return text;
}

std::string_view formatStretchType(StretchType value)
{
    return stretchNames[std::size_t(value)];
}

std::string_view formatInActiveEffect(InActiveEffect value)
{
    return effectNames[std::size_t(value)];
}

std::string_view formatMorphKind(MorphKind value)
{
    return morphNames[std::size_t(value)];
}

std::string_view formatAlignment(Alignment value)
{
    return alignmentNames[std::size_t(value)];
}

std::string_view formatStdCommand(StdCommand value)
{
    return commandNames[std::size_t(value)];
}

} // namespace tessaly::skin
