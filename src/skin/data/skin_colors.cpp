#include "skin/data/skin_colors.h"

#include "skin/data/system_colors.h"

namespace tessaly::skin {

void SkinColorKeys::fields(FieldVisitor& v)
{
    v.color("cbtnface", cBtnFace, systemColorValue(SystemColor::BtnFace));
    v.color("cbtntext", cBtnText, systemColorValue(SystemColor::BtnText));
    v.color("cwindow", cWindow, systemColorValue(SystemColor::Window));
    v.color("cwindowtext", cWindowText, systemColorValue(SystemColor::WindowText));
    v.color("chighlight", cHighLight, systemColorValue(SystemColor::Highlight));
    v.color("chighlighttext", cHighLightText, systemColorValue(SystemColor::HighlightText));
    v.color("cbtnhighlight", cBtnHighLight, systemColorValue(SystemColor::BtnHighlight));
    v.color("cbtnshadow", cBtnShadow, systemColorValue(SystemColor::BtnShadow));
}

} // namespace tessaly::skin
