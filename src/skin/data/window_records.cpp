#include "skin/data/window_records.h"

namespace tessaly::skin {

void PopupWindowKeys::fields(FieldVisitor& v)
{
    v.integer("windowpictureindex", windowPictureIndex, -1);
    v.integer("maskpictureindex", maskPictureIndex, -1);
    CornerKeys::fields(v);
    v.rect("itemsrect", itemsRect);
    v.color("scrollmarkercolor", scrollMarkerColor);
    v.color("scrollmarkeractivecolor", scrollMarkerActiveColor);
    WindowStretchKeys::fields(v);
}

void HintWindowKeys::fields(FieldVisitor& v)
{
    v.integer("windowpictureindex", windowPictureIndex, -1);
    v.integer("maskpictureindex", maskPictureIndex, -1);
    CornerKeys::fields(v);
    v.rect("clientrect", clRect);
    FontKeys::fields(v);
    WindowStretchKeys::fields(v);
}

void LayerFrameKeys::fields(FieldVisitor& v)
{
    v.integer("pictureindex", pictureIndex, -1);
    v.integer("maskpictureindex", maskPictureIndex, -1);
    v.integer("inactivepictureindex", inActivePictureIndex, -1);
    v.integer("inactivemaskpictureindex", inActiveMaskPictureIndex, -1);
    CornerKeys::fields(v);
    v.rect("clientrect", clRect);
    v.integer("alphablendvalue", alphaBlendValue, 255);
    v.integer("inactivealphablendvalue", inActiveAlphaBlendValue, 255);
    v.rect("borderrect", borderRect);
    v.boolean("hittestenable", hitTestEnable);
    v.boolean("fullborder", fullBorder);
    v.integer("hittestsize", hitTestSize);
    v.rect("captionrect", captionRect);
    v.point("hittestlefttoppoint", hitTestLTPoint);
    v.point("hittestrighttoppoint", hitTestRTPoint);
    v.point("hittestleftbottompoint", hitTestLBPoint);
    v.point("hittestrightbottompoint", hitTestRBPoint);
    v.rect("buttonsrect", buttonsRect);
    v.rect("sysmenubuttonrect", sysMenuButtonRect);
    v.boolean("fullstretch", fullStretch);
    v.integer("rollupformheight", rollUpFormHeight);
    v.integer("buttonstopoffset", buttonsTopOffset);
    v.integer("sysbuttontopoffset", sysButtonTopOffset);
    v.integer("blurmaskpictureindex", blurMaskPictureIndex, -1);
    v.rect("intersectblurmaskrect", intersectBlurMaskRect);
    v.rect("excludeblurmaskrect", excludeBlurMaskRect);
    v.integer("leftoffset", leftOffset, 0, kMaxBorderReach);
    v.integer("topoffset", topOffset, 0, kMaxBorderReach);
    v.integer("widthoffset", widthOffset, 0, kMaxBorderReach);
    v.integer("heightoffset", heightOffset, 0, kMaxBorderReach);
}

} // namespace tessaly::skin
