#pragma once

#include "skin/data/geometry.h"
#include "skin/data/skin_description.h"
#include "skin/data/skin_types.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessaly::skin {

// Records are described as data: each record lists its keys once, in
// reading order, each bound to a field and carrying its default. One list
// serves construction (defaults), reading, writing and any other walk over
// a record's fields.

using FieldRef = std::variant<std::string*, int*, Color*, bool*, Point*, Rect*, FontStyle*, StretchType*,
                              InActiveEffect*, MorphKind*, Alignment*, StdCommand*>;
using FieldValue = std::variant<std::string, int, Color, bool, Point, Rect, FontStyle, StretchType,
                                InActiveEffect, MorphKind, Alignment, StdCommand>;

// What a description may give, by kind of field, so that every record kind
// is held to the same bounds. Points and rectangle edges are positions in a
// picture, and pictures are at most kMaxPictureSide pixels on a side;
// integers are sizes, offsets, picture indexes, counts, font heights and
// intervals, none of which means anything beyond the same bound. Larger
// values only make the windows ask for images no machine can hold.
inline constexpr int kMaxCoordinate = 32767;
inline constexpr int kMaxInteger = 32767;
// The skin's least window width and height: a window must fit the widest
// screens, and the image of a larger one would not fit in memory.
inline constexpr int kMaxWindowSize = 8192;
// How far a layered border reaches beyond its window, and the radius of a
// caption's text glow: each widens an image by twice its value, around a
// window or a caption as large as the screen.
inline constexpr int kMaxBorderReach = 1024;
inline constexpr int kMaxGlowSize = 255;

// One key of a record: its name in the description, the field it fills and
// the value an absent key gives. `def` holds the same alternative as `ref`.
// An integer read lies within -bound to bound.
struct Field {
    const char* key;
    FieldRef ref;
    FieldValue def;
    int bound = kMaxInteger;
};

class FieldVisitor {
public:
    virtual ~FieldVisitor() = default;
    virtual void visit(const Field& field) = 0;

    // One helper per kind of value, so a record's list reads as a table.
    void text(const char* key, std::string& value, const char* def = "");
    void integer(const char* key, int& value, int def = 0, int bound = kMaxInteger);
    void color(const char* key, Color& value, Color def = Color(0));
    void boolean(const char* key, bool& value, bool def = false);
    void point(const char* key, Point& value);
    void rect(const char* key, Rect& value);
    void fontStyle(const char* key, FontStyle& value);
    void stretchType(const char* key, StretchType& value, StretchType def = StretchType::Full);
    void inActiveEffect(const char* key, InActiveEffect& value, InActiveEffect def = InActiveEffect::Brightness);
    void morphKind(const char* key, MorphKind& value, MorphKind def = MorphKind::Default);
    void alignment(const char* key, Alignment& value, Alignment def = Alignment::Center);
    void command(const char* key, StdCommand& value, StdCommand def = StdCommand::Default);
};

// Sets every visited field to its default.
class FieldDefaults final : public FieldVisitor {
public:
    void visit(const Field& field) override;
};

// Reads every visited field from one section (null: the section is missing,
// so every field takes its default). A point or rectangle that does not
// convert throws tessaly::Error; so does a point, rectangle or integer
// beyond the bounds above, with a message that names the key and section.
class FieldReader final : public FieldVisitor {
public:
    explicit FieldReader(const SkinDescription::Section* section) : m_section(section) {}
    void visit(const Field& field) override;

private:
    const SkinDescription::Section* m_section;
};

// Writes every visited field into one section, in visiting order.
class FieldWriter final : public FieldVisitor {
public:
    FieldWriter(SkinDescription& description, std::string_view section)
        : m_description(description)
        , m_section(section)
    {
    }
    void visit(const Field& field) override;

private:
    SkinDescription& m_description;
    std::string m_section;
};

// Collects the keys of every visited field, in visiting order.
class FieldKeys final : public FieldVisitor {
public:
    void visit(const Field& field) override { m_keys.emplace_back(field.key); }
    const std::vector<std::string>& keys() const { return m_keys; }

private:
    std::vector<std::string> m_keys;
};

// The field's current value in the form the description holds it.
std::string encodeField(const FieldRef& ref);

// Something whose keys are listed by visitFields: the records of the skin.
class FieldRecord {
public:
    virtual ~FieldRecord() = default;
    // Visits every key the record reads and writes, in reading order. The
    // root of the records has none; RecordWith adds each level's own.
    virtual void visitFields(FieldVisitor&) {}

protected:
    FieldRecord() = default;
    FieldRecord(const FieldRecord&) = default;
    FieldRecord& operator=(const FieldRecord&) = default;

    // Reads every field from the section (defaults for absent keys).
    void readSection(const SkinDescription& description, std::string_view section);
    // Erases the section and writes every field into it.
    void writeSection(SkinDescription& description, std::string_view section) const;
};

// A record class made of its base record and a plain struct of its own
// keys. Keys declares its fields and lists each key once, in reading order
// and with its default, in `void fields(FieldVisitor&)`. That one list gives
// the record its defaults at construction and, after the base's keys, its
// part of every walk: reading, writing, round trips.
template <class Base, class Keys>
class RecordWith : public Base, public Keys {
public:
    RecordWith() { setOwnDefaults(); }
    explicit RecordWith(std::string idName)
        : Base(std::move(idName))
    {
        setOwnDefaults();
    }

    void visitFields(FieldVisitor& visitor) override
    {
        Base::visitFields(visitor);
        Keys::fields(visitor);
    }

private:
    // The base has set its own already; Keys is constructed by then, so its
    // strings can take their values.
    void setOwnDefaults()
    {
        FieldDefaults defaults;
        Keys::fields(defaults);
    }
};

// A record that lives in a section of a fixed name, Keys::kSection.
template <class Keys>
class SectionRecord : public RecordWith<FieldRecord, Keys> {
public:
    // Reads every key of the section; missing keys give their defaults.
    void loadFromFile(const SkinDescription& description) { this->readSection(description, Keys::kSection); }
    void saveToFile(SkinDescription& description) const { this->writeSection(description, Keys::kSection); }
};

// Key groups that several records share, each in the order the records
// list them.

// A text font.
struct FontKeys {
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    void fields(FieldVisitor& v);
};

// The four corners that cut a picture into nine pieces.
struct CornerKeys {
    Point ltPoint;
    Point rtPoint;
    Point lbPoint;
    Point rbPoint;
    void fields(FieldVisitor& v);
};

// Which of the nine pieces stretch rather than tile, as controls list them.
struct StretchKeys {
    bool leftStretch;
    bool topStretch;
    bool rightStretch;
    bool bottomStretch;
    bool stretchEffect;
    StretchType stretchType;
    void fields(FieldVisitor& v);
};

// The same flags as popup and hint windows list them: left, right, top,
// bottom.
struct WindowStretchKeys {
    bool leftStretch;
    bool rightStretch;
    bool topStretch;
    bool bottomStretch;
    bool stretchEffect;
    StretchType stretchType;
    void fields(FieldVisitor& v);
};

// A part that plays the frames of a picture strip.
struct AnimationKeys {
    Rect animateSkinRect;
    int frameCount;
    int animateInterval;
    void fields(FieldVisitor& v);
};

} // namespace tessaly::skin
