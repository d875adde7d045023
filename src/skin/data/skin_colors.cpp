#include "skin/data/skin_colors.h"

namespace tessaly::skin {

namespace {

void colorFields(SkinColors& r, FieldVisitor& v)
{
    v.color("cbtnface", r.cBtnFace, 0xFF00000Fu);
    v.color("cbtntext", r.cBtnText, 0xFF000012u);
    v.color("cwindow", r.cWindow, 0xFF000005u);
    v.color("cwindowtext", r.cWindowText, 0xFF000008u);
    v.color("chighlight", r.cHighLight, 0xFF00000Du);
    v.color("chighlighttext", r.cHighLightText, 0xFF00000Eu);
    v.color("cbtnhighlight", r.cBtnHighLight, 0xFF000014u);
    v.color("cbtnshadow", r.cBtnShadow, 0xFF000010u);
}

} // namespace

SkinColors::SkinColors()
{
    setColorsToDefault();
}

void SkinColors::visitFields(FieldVisitor& visitor)
{
    colorFields(*this, visitor);
}

void SkinColors::setColorsToDefault()
{
    setDefaults(*this, colorFields);
}

} // namespace tessaly::skin
