#include "skin/data/skin_colors.h"

#include "skin/data/system_colors.h"

namespace tessaly::skin {

namespace {

void colorFields(SkinColors& r, FieldVisitor& v)
{
    v.color("cbtnface", r.cBtnFace, systemColorValue(SystemColor::BtnFace));
    v.color("cbtntext", r.cBtnText, systemColorValue(SystemColor::BtnText));
    v.color("cwindow", r.cWindow, systemColorValue(SystemColor::Window));
    v.color("cwindowtext", r.cWindowText, systemColorValue(SystemColor::WindowText));
    v.color("chighlight", r.cHighLight, systemColorValue(SystemColor::Highlight));
    v.color("chighlighttext", r.cHighLightText, systemColorValue(SystemColor::HighlightText));
    v.color("cbtnhighlight", r.cBtnHighLight, systemColorValue(SystemColor::BtnHighlight));
    v.color("cbtnshadow", r.cBtnShadow, systemColorValue(SystemColor::BtnShadow));
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
