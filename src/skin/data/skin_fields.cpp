#include "skin/data/skin_fields.h"

#include "skin/data/skin_values.h"

#include "platform/error.h"

#include <type_traits>

namespace tessaly::skin {

namespace {

template <class T>
void decode(const std::string& text, T& out, const T& def)
{
    if constexpr (std::is_same_v<T, std::string>)
        out = text;
    else if constexpr (std::is_same_v<T, int>)
        out = parseInteger(text, def);
    else if constexpr (std::is_same_v<T, Color>)
        out = Color(uint32_t(parseInteger(text, int(def.value()))));
    else if constexpr (std::is_same_v<T, bool>)
        out = parseBoolean(text);
    else if constexpr (std::is_same_v<T, Point>)
        out = parsePoint(text);
    else if constexpr (std::is_same_v<T, Rect>)
        out = parseRect(text);
    else if constexpr (std::is_same_v<T, FontStyle>)
        out = parseFontStyle(text);
    else if constexpr (std::is_same_v<T, StretchType>)
        out = parseStretchType(text);
    else if constexpr (std::is_same_v<T, InActiveEffect>)
        out = parseInActiveEffect(text);
    else if constexpr (std::is_same_v<T, MorphKind>)
        out = parseMorphKind(text);
    else if constexpr (std::is_same_v<T, Alignment>)
        out = parseAlignment(text);
    else if constexpr (std::is_same_v<T, StdCommand>)
        out = parseStdCommand(text);
    else
        static_assert(!sizeof(T), "every kind of field needs a reader");
}

template <class T>
std::string encode(const T& value)
{
    if constexpr (std::is_same_v<T, std::string>)
        return value;
    else if constexpr (std::is_same_v<T, int>)
        return formatInteger(value);
    else if constexpr (std::is_same_v<T, Color>)
        return formatColor(value);
    else if constexpr (std::is_same_v<T, bool>)
        return formatBoolean(value);
    else if constexpr (std::is_same_v<T, Point>)
        return formatPoint(value);
    else if constexpr (std::is_same_v<T, Rect>)
        return formatRect(value);
    else if constexpr (std::is_same_v<T, FontStyle>)
        return formatFontStyle(value);
    else if constexpr (std::is_same_v<T, StretchType>)
        return std::string(formatStretchType(value));
    else if constexpr (std::is_same_v<T, InActiveEffect>)
        return std::string(formatInActiveEffect(value));
    else if constexpr (std::is_same_v<T, MorphKind>)
        return std::string(formatMorphKind(value));
    else if constexpr (std::is_same_v<T, Alignment>)
        return std::string(formatAlignment(value));
    else if constexpr (std::is_same_v<T, StdCommand>)
        return std::string(formatStdCommand(value));
    else
        static_assert(!sizeof(T), "every kind of field needs a writer");
}

bool withinBounds(int value, int low, int high)
{
    return value >= low && value <= high;
}

// Whether a value read from a description lies within the bounds of its
// kind; kinds without a size always do.
template <class T>
bool withinBounds(const T& value, const Field& field)
{
    if constexpr (std::is_same_v<T, int>)
        return withinBounds(value, -field.bound, field.bound);
    else if constexpr (std::is_same_v<T, Point>)
        return withinBounds(value.x, 0, kMaxCoordinate) && withinBounds(value.y, 0, kMaxCoordinate);
    else if constexpr (std::is_same_v<T, Rect>)
        return withinBounds(value.left, 0, kMaxCoordinate) && withinBounds(value.top, 0, kMaxCoordinate) &&
            withinBounds(value.right, 0, kMaxCoordinate) && withinBounds(value.bottom, 0, kMaxCoordinate);
    else
        return true;
}

template <class T>
std::string boundsText(const Field& field)
{
    if constexpr (std::is_same_v<T, int>)
        return "an integer from " + std::to_string(-field.bound) + " to " + std::to_string(field.bound);
    else
        return "coordinates from 0 to " + std::to_string(kMaxCoordinate);
}

} // namespace

void FieldVisitor::text(const char* key, std::string& value, const char* def)
{
    visit({key, &value, FieldValue(std::in_place_type<std::string>, def)});
}

void FieldVisitor::integer(const char* key, int& value, int def, int bound)
{
    visit({key, &value, FieldValue(std::in_place_type<int>, def), bound});
}

void FieldVisitor::color(const char* key, Color& value, Color def)
{
    visit({key, &value, FieldValue(std::in_place_type<Color>, def)});
}

void FieldVisitor::boolean(const char* key, bool& value, bool def)
{
    visit({key, &value, FieldValue(std::in_place_type<bool>, def)});
}

void FieldVisitor::point(const char* key, Point& value)
{
    visit({key, &value, FieldValue(std::in_place_type<Point>)});
}

void FieldVisitor::rect(const char* key, Rect& value)
{
    visit({key, &value, FieldValue(std::in_place_type<Rect>)});
}

void FieldVisitor::fontStyle(const char* key, FontStyle& value)
{
    visit({key, &value, FieldValue(std::in_place_type<FontStyle>)});
}

void FieldVisitor::stretchType(const char* key, StretchType& value, StretchType def)
{
    visit({key, &value, FieldValue(std::in_place_type<StretchType>, def)});
}

void FieldVisitor::inActiveEffect(const char* key, InActiveEffect& value, InActiveEffect def)
{
    visit({key, &value, FieldValue(std::in_place_type<InActiveEffect>, def)});
}

void FieldVisitor::morphKind(const char* key, MorphKind& value, MorphKind def)
{
    visit({key, &value, FieldValue(std::in_place_type<MorphKind>, def)});
}

void FieldVisitor::alignment(const char* key, Alignment& value, Alignment def)
{
    visit({key, &value, FieldValue(std::in_place_type<Alignment>, def)});
}

void FieldVisitor::command(const char* key, StdCommand& value, StdCommand def)
{
    visit({key, &value, FieldValue(std::in_place_type<StdCommand>, def)});
}

void FieldDefaults::visit(const Field& field)
{
    std::visit(
        [&field](auto* value) {
            using T = std::remove_pointer_t<decltype(value)>;
            *value = std::get<T>(field.def);
        },
        field.ref);
}

void FieldReader::visit(const Field& field)
{
    const std::string* text = m_section ? m_section->find(field.key) : nullptr;
    std::visit(
        [&](auto* value) {
            using T = std::remove_pointer_t<decltype(value)>;
            const T& def = std::get<T>(field.def);
            if (!text) {
                *value = def;
                return;
            }
            decode(*text, *value, def);
            if (!withinBounds(*value, field))
                throw Error("The value \"" + *text + "\" of key \"" + field.key + "\" in section \"" +
                            m_section->name + "\" is out of range: it must hold " + boundsText<T>(field));
        },
        field.ref);
}

void FieldWriter::visit(const Field& field)
{
    m_description.writeString(m_section, field.key, encodeField(field.ref));
}

std::string encodeField(const FieldRef& ref)
{
    return std::visit([](auto* value) { return encode(*value); }, ref);
}

void FieldRecord::readSection(const SkinDescription& description, std::string_view section)
{
    FieldReader reader(description.findSection(section));
    visitFields(reader);
}

void FieldRecord::writeSection(SkinDescription& description, std::string_view section) const
{
    description.eraseSection(section);
    FieldWriter writer(description, section);
    // Writing only reads the fields; the visitor interface is shared with
    // the visitors that fill them.
    const_cast<FieldRecord*>(this)->visitFields(writer);
}

void FontKeys::fields(FieldVisitor& v)
{
    v.text("fontname", fontName, "Arial");
    v.integer("fontheight", fontHeight, 14);
    v.fontStyle("fontstyle", fontStyle);
    v.color("fontcolor", fontColor);
}

void CornerKeys::fields(FieldVisitor& v)
{
    v.point("lefttoppoint", ltPoint);
    v.point("righttoppoint", rtPoint);
    v.point("leftbottompoint", lbPoint);
    v.point("rightbottompoint", rbPoint);
}

void StretchKeys::fields(FieldVisitor& v)
{
    v.boolean("leftstretch", leftStretch);
    v.boolean("topstretch", topStretch);
    v.boolean("rightstretch", rightStretch);
    v.boolean("bottomstretch", bottomStretch);
    v.boolean("stretcheffect", stretchEffect);
    v.stretchType("stretchtype", stretchType);
}

void WindowStretchKeys::fields(FieldVisitor& v)
{
    v.boolean("leftstretch", leftStretch);
    v.boolean("rightstretch", rightStretch);
    v.boolean("topstretch", topStretch);
    v.boolean("bottomstretch", bottomStretch);
    v.boolean("stretcheffect", stretchEffect);
    v.stretchType("stretchtype", stretchType);
}

void AnimationKeys::fields(FieldVisitor& v)
{
    v.rect("animateskinrect", animateSkinRect);
    v.integer("framecount", frameCount);
    v.integer("animateinterval", animateInterval, 25);
}

} // namespace tessaly::skin
