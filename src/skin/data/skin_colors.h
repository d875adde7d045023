#pragma once

#include "skin/data/skin_fields.h"

namespace tessaly::skin {

// The skin's colour set, section SKINCOLORS. A colour whose top byte is
// 0xFF names a system colour; the defaults are the system colours of the
// same role, so a registry without a skin offers the system colours rather
// than black.
struct SkinColorKeys {
    static constexpr const char* kSection = "SKINCOLORS";

    Color cBtnFace;
    Color cBtnText;
    Color cWindow;
    Color cWindowText;
    Color cHighLight;
    Color cHighLightText;
    Color cBtnHighLight;
    Color cBtnShadow;
    void fields(FieldVisitor& v);
};

class SkinColors : public SectionRecord<SkinColorKeys> {
public:
    void setColorsToDefault() { *this = SkinColors(); }
};

} // namespace tessaly::skin
