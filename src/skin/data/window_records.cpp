#include "skin/data/window_records.h"

namespace tessaly::skin {

namespace {

void popupWindowFields(DataSkinPopupWindow& r, FieldVisitor& v)
{
    v.integer("windowpictureindex", r.windowPictureIndex, -1);
    v.integer("maskpictureindex", r.maskPictureIndex, -1);
    v.point("lefttoppoint", r.ltPoint);
    v.point("righttoppoint", r.rtPoint);
    v.point("leftbottompoint", r.lbPoint);
    v.point("rightbottompoint", r.rbPoint);
    v.rect("itemsrect", r.itemsRect);
    v.color("scrollmarkercolor", r.scrollMarkerColor);
    v.color("scrollmarkeractivecolor", r.scrollMarkerActiveColor);
    v.boolean("leftstretch", r.leftStretch);
    v.boolean("rightstretch", r.rightStretch);
    v.boolean("topstretch", r.topStretch);
    v.boolean("bottomstretch", r.bottomStretch);
    v.boolean("stretcheffect", r.stretchEffect);
    v.stretchType("stretchtype", r.stretchType);
}

void hintWindowFields(DataSkinHintWindow& r, FieldVisitor& v)
{
    v.integer("windowpictureindex", r.windowPictureIndex, -1);
    v.integer("maskpictureindex", r.maskPictureIndex, -1);
    v.point("lefttoppoint", r.ltPoint);
    v.point("righttoppoint", r.rtPoint);
    v.point("leftbottompoint", r.lbPoint);
    v.point("rightbottompoint", r.rbPoint);
    v.rect("clientrect", r.clRect);
    fontFields(r, v);
    v.boolean("leftstretch", r.leftStretch);
    v.boolean("rightstretch", r.rightStretch);
    v.boolean("topstretch", r.topStretch);
    v.boolean("bottomstretch", r.bottomStretch);
    v.boolean("stretcheffect", r.stretchEffect);
    v.stretchType("stretchtype", r.stretchType);
}

void layerFrameFields(DataSkinLayerFrame& r, FieldVisitor& v)
{
    v.integer("pictureindex", r.pictureIndex, -1);
    v.integer("maskpictureindex", r.maskPictureIndex, -1);
    v.integer("inactivepictureindex", r.inActivePictureIndex, -1);
    v.integer("inactivemaskpictureindex", r.inActiveMaskPictureIndex, -1);
    v.point("lefttoppoint", r.ltPoint);
    v.point("righttoppoint", r.rtPoint);
    v.point("leftbottompoint", r.lbPoint);
    v.point("rightbottompoint", r.rbPoint);
    v.rect("clientrect", r.clRect);
    v.integer("alphablendvalue", r.alphaBlendValue, 255);
    v.integer("inactivealphablendvalue", r.inActiveAlphaBlendValue, 255);
    v.rect("borderrect", r.borderRect);
    v.boolean("hittestenable", r.hitTestEnable);
    v.boolean("fullborder", r.fullBorder);
    v.integer("hittestsize", r.hitTestSize);
    v.rect("captionrect", r.captionRect);
    v.point("hittestlefttoppoint", r.hitTestLTPoint);
    v.point("hittestrighttoppoint", r.hitTestRTPoint);
    v.point("hittestleftbottompoint", r.hitTestLBPoint);
    v.point("hittestrightbottompoint", r.hitTestRBPoint);
    v.rect("buttonsrect", r.buttonsRect);
    v.rect("sysmenubuttonrect", r.sysMenuButtonRect);
    v.boolean("fullstretch", r.fullStretch);
    v.integer("rollupformheight", r.rollUpFormHeight);
    v.integer("buttonstopoffset", r.buttonsTopOffset);
    v.integer("sysbuttontopoffset", r.sysButtonTopOffset);
    v.integer("blurmaskpictureindex", r.blurMaskPictureIndex, -1);
    v.rect("intersectblurmaskrect", r.intersectBlurMaskRect);
    v.rect("excludeblurmaskrect", r.excludeBlurMaskRect);
    v.integer("leftoffset", r.leftOffset, 0, kMaxBorderReach);
    v.integer("topoffset", r.topOffset, 0, kMaxBorderReach);
    v.integer("widthoffset", r.widthOffset, 0, kMaxBorderReach);
    v.integer("heightoffset", r.heightOffset, 0, kMaxBorderReach);
}

} // namespace

DataSkinPopupWindow::DataSkinPopupWindow()
{
    setDefaults(*this, popupWindowFields);
}

void DataSkinPopupWindow::visitFields(FieldVisitor& visitor)
{
    popupWindowFields(*this, visitor);
}

DataSkinHintWindow::DataSkinHintWindow()
{
    setDefaults(*this, hintWindowFields);
}

void DataSkinHintWindow::visitFields(FieldVisitor& visitor)
{
    hintWindowFields(*this, visitor);
}

DataSkinLayerFrame::DataSkinLayerFrame()
{
    setDefaults(*this, layerFrameFields);
}

void DataSkinLayerFrame::visitFields(FieldVisitor& visitor)
{
    layerFrameFields(*this, visitor);
}

} // namespace tessaly::skin
