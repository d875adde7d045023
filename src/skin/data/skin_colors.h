#pragma once

#include "skin/data/skin_fields.h"

namespace tessaly::skin {

// The skin's colour set, section SKINCOLORS. A colour whose top byte is
// 0xFF names a system colour; the defaults are the system colours of the
// same role.
class SkinColors : public FieldRecord {
public:
    static constexpr const char* kSection = "SKINCOLORS";

    // Starts with the defaults: a registry without a skin offers the system
    // colours rather than black.
    SkinColors();
    void visitFields(FieldVisitor& visitor) override;
    void loadFromFile(const SkinDescription& description) { readSection(description, kSection); }
    void saveToFile(SkinDescription& description) const { writeSection(description, kSection); }
    void setColorsToDefault();

    Color cBtnFace;
    Color cBtnText;
    Color cWindow;
    Color cWindowText;
    Color cHighLight;
    Color cHighLightText;
    Color cBtnHighLight;
    Color cBtnShadow;
};

} // namespace tessaly::skin
