#include "skin/data/control_records.h"

#include <utility>

namespace tessaly::skin {

namespace {

void controlFields(DataSkinControl& r, FieldVisitor& v)
{
    v.integer("pictureindex", r.pictureIndex, -1);
    v.integer("maskpictureindex", r.maskPictureIndex, -1);
    v.rect("skinrect", r.skinRect);
}

void customControlFields(DataSkinCustomControl& r, FieldVisitor& v)
{
    v.point("lefttoppoint", r.ltPoint);
    v.point("righttoppoint", r.rtPoint);
    v.point("leftbottompoint", r.lbPoint);
    v.point("rightbottompoint", r.rbPoint);
    v.rect("clientrect", r.clRect);
    v.boolean("leftstretch", r.leftStretch);
    v.boolean("topstretch", r.topStretch);
    v.boolean("rightstretch", r.rightStretch);
    v.boolean("bottomstretch", r.bottomStretch);
    v.boolean("stretcheffect", r.stretchEffect);
    v.stretchType("stretchtype", r.stretchType);
}

void buttonControlFields(DataSkinButtonControl& r, FieldVisitor& v)
{
    fontFields(r, v);
    v.color("activefontcolor", r.activeFontColor);
    v.color("downfontcolor", r.downFontColor);
    v.color("disabledfontcolor", r.disabledFontColor);
    v.rect("activeskinrect", r.activeSkinRect);
    v.rect("downskinrect", r.downSkinRect);
    v.rect("focusedskinrect", r.focusedSkinRect);
    v.rect("disabledskinrect", r.disabledSkinRect);
    v.boolean("morphing", r.morphing);
    v.morphKind("morphkind", r.morphKind);
    v.rect("animateskinrect", r.animateSkinRect);
    v.integer("framecount", r.frameCount);
    v.integer("animateinterval", r.animateInterval, 25);
    v.boolean("showfocus", r.showFocus);
    v.rect("menumarkerflatrect", r.menuMarkerFlatRect);
    v.rect("menumarkerrect", r.menuMarkerRect);
    v.rect("menumarkeractiverect", r.menuMarkerActiveRect);
    v.rect("menumarkerdownrect", r.menuMarkerDownRect);
    v.color("menumarkertransparentcolor", r.menuMarkerTransparentColor);
    v.integer("glowlayerpictureindex", r.glowLayerPictureIndex, -1);
    v.integer("glowlayermaskpictureindex", r.glowLayerMaskPictureIndex, -1);
    v.integer("glowlayeroffsetleft", r.glowLayerOffsetLeft);
    v.integer("glowlayeroffsettop", r.glowLayerOffsetTop);
    v.integer("glowlayeroffsetright", r.glowLayerOffsetRight);
    v.integer("glowlayeroffsetbottom", r.glowLayerOffsetBottom);
    v.integer("glowlayershowoffsetx", r.glowLayerShowOffsetX);
    v.integer("glowlayershowoffsety", r.glowLayerShowOffsetY);
    v.integer("glowlayeralphablendvalue", r.glowLayerAlphaBlendValue, 255);
}

void menuButtonControlFields(DataSkinMenuButtonControl& r, FieldVisitor& v)
{
    v.rect("trackbuttonrect", r.trackButtonRect);
}

void editControlFields(DataSkinEditControl& r, FieldVisitor& v)
{
    v.rect("activeskinrect", r.activeSkinRect);
    fontFields(r, v);
    v.color("disabledfontcolor", r.disabledFontColor);
    v.color("activefontcolor", r.activeFontColor);
    v.rect("buttonrect", r.buttonRect);
    v.rect("activebuttonrect", r.activeButtonRect);
    v.rect("downbuttonrect", r.downButtonRect);
    v.rect("unenabledbuttonrect", r.unEnabledButtonRect);
}

void memoControlFields(DataSkinMemoControl& r, FieldVisitor& v)
{
    v.color("bgcolor", r.bgColor);
    v.color("activebgcolor", r.activeBGColor);
}

void panelControlFields(DataSkinPanelControl& r, FieldVisitor& v)
{
    v.integer("bgpictureindex", r.bgPictureIndex, -1);
    v.rect("captionrect", r.captionRect);
    v.alignment("alignment", r.alignment);
    fontFields(r, v);
    v.rect("checkimagerect", r.checkImageRect);
    v.rect("uncheckimagerect", r.unCheckImageRect);
    v.rect("markframerect", r.markFrameRect);
    v.rect("framerect", r.frameRect);
    v.rect("frametextrect", r.frameTextRect);
    v.integer("frameleftoffset", r.frameLeftOffset);
    v.integer("framerightoffset", r.frameRightOffset);
    v.rect("gripperrect", r.gripperRect);
    v.boolean("grippertransparent", r.gripperTransparent);
    v.color("grippertransparentcolor", r.gripperTransparentColor);
    v.rect("buttonrect", r.buttonRect);
    v.rect("buttonactiverect", r.buttonActiveRect);
    v.rect("buttondownrect", r.buttonDownRect);
    v.boolean("buttontransparent", r.buttonTransparent);
    v.color("buttontransparentcolor", r.buttonTransparentColor);
}

void labelControlFields(DataSkinLabelControl& r, FieldVisitor& v)
{
    fontFields(r, v);
}

void stdLabelControlFields(DataSkinStdLabelControl& r, FieldVisitor& v)
{
    fontFields(r, v);
    v.color("activefontcolor", r.activeFontColor, rgbColor(0, 0, 255));
}

void mainMenuBarFields(DataSkinMainMenuBar& r, FieldVisitor& v)
{
    v.rect("itemsrect", r.itemsRect);
    v.text("menubaritem", r.menuBarItem);
    v.text("closebutton", r.closeButton);
    v.text("minbutton", r.minButton);
    v.text("maxbutton", r.maxButton);
    v.text("sysmenubutton", r.sysMenuButton);
    v.color("trackmarkcolor", r.trackMarkColor);
    v.color("trackmarkactivecolor", r.trackMarkActiveColor);
    v.boolean("stretcheffect", r.stretchEffect);
    v.boolean("itemtransparent", r.itemTransparent);
}

void upDownControlFields(DataSkinUpDownControl& r, FieldVisitor& v)
{
    v.rect("upbuttonrect", r.upButtonRect);
    v.rect("activeupbuttonrect", r.activeUpButtonRect);
    v.rect("downupbuttonrect", r.downUpButtonRect);
    v.rect("downbuttonrect", r.downButtonRect);
    v.rect("activedownbuttonrect", r.activeDownButtonRect);
    v.rect("downdownbuttonrect", r.downDownButtonRect);
}

void listBoxFields(DataSkinListBox& r, FieldVisitor& v)
{
    v.rect("itemrect", r.sItemRect);
    v.rect("activeitemrect", r.activeItemRect);
    v.rect("focusitemrect", r.focusItemRect);
    v.integer("itemleftoffset", r.itemLeftOffset);
    v.integer("itemrightoffset", r.itemRightOffset);
    v.rect("itemtextrect", r.itemTextRect);
    fontFields(r, v);
    v.color("activefontcolor", r.activeFontColor);
    v.color("focusfontcolor", r.focusFontColor);
    v.rect("captionrect", r.captionRect);
    v.text("captionfontname", r.captionFontName, "Arial");
    v.integer("captionfontheight", r.captionFontHeight, 14);
    v.fontStyle("captionfontstyle", r.captionFontStyle);
    v.color("captionfontcolor", r.captionFontColor);
    v.rect("upbuttonrect", r.upButtonRect);
    v.rect("activeupbuttonrect", r.activeUpButtonRect);
    v.rect("downupbuttonrect", r.downUpButtonRect);
    v.rect("downbuttonrect", r.downButtonRect);
    v.rect("activedownbuttonrect", r.activeDownButtonRect);
    v.rect("downdownbuttonrect", r.downDownButtonRect);
    v.rect("checkbuttonrect", r.checkButtonRect);
    v.rect("activecheckbuttonrect", r.activeCheckButtonRect);
    v.rect("downcheckbuttonrect", r.downCheckButtonRect);
    v.text("vscrollbarname", r.vScrollBarName, "vscrollbar");
    v.text("hscrollbarname", r.hScrollBarName, "hscrollbar");
    v.text("bothhscrollbarname", r.bothScrollBarName, "bothhscrollbar");
    v.boolean("showfocus", r.showFocus);
    v.rect("disabledbuttonsrect", r.disabledButtonsRect);
    v.rect("buttonsarea", r.buttonsArea);
}

void checkListBoxFields(DataSkinCheckListBox& r, FieldVisitor& v)
{
    v.rect("itemcheckrect", r.itemCheckRect);
    v.rect("checkimagerect", r.checkImageRect);
    v.rect("uncheckimagerect", r.unCheckImageRect);
}

void comboBoxFields(DataSkinComboBox& r, FieldVisitor& v)
{
    v.rect("activeskinrect", r.activeSkinRect);
    v.rect("itemrect", r.sItemRect);
    v.rect("activeitemrect", r.activeItemRect);
    v.rect("focusitemrect", r.focusItemRect);
    v.integer("itemleftoffset", r.itemLeftOffset);
    v.integer("itemrightoffset", r.itemRightOffset);
    v.rect("itemtextrect", r.itemTextRect);
    fontFields(r, v);
    v.color("focusfontcolor", r.focusFontColor);
    v.color("activefontcolor", r.activeFontColor);
    v.text("listboxname", r.listBoxName);
    v.rect("buttonrect", r.buttonRect);
    v.rect("activebuttonrect", r.activeButtonRect);
    v.rect("downbuttonrect", r.downButtonRect);
    v.rect("unenabledbuttonrect", r.unEnabledButtonRect);
    v.boolean("itemstretcheffect", r.itemStretchEffect);
    v.boolean("focusitemstretcheffect", r.focusItemStretchEffect);
    v.boolean("showfocus", r.showFocus);
}

void appMenuFields(DataSkinAppMenu& r, FieldVisitor& v)
{
    v.integer("bgpictureindex", r.bgPictureIndex, -1);
    v.boolean("bgstretcheffect", r.bgStretchEffect);
    v.rect("itemrect", r.itemRect);
    v.rect("pageitemrect", r.pageItemRect);
    v.rect("pageitemactiverect", r.pageItemActiveRect);
    v.integer("itemoffset1", r.itemOffset1, 3);
    v.integer("itemoffset2", r.itemOffset2, 3);
    v.integer("pageitemoffset1", r.pageItemOffset1, 10);
    v.integer("pageitemoffset2", r.pageItemOffset2, 10);
    v.integer("pageoffset", r.pageOffset);
    v.text("fontname", r.fontName, "Arial");
    v.integer("fontheight", r.fontHeight, 14);
    v.integer("fontpageheight", r.fontPageHeight, 16);
    v.fontStyle("fontstyle", r.fontStyle);
    v.color("fontcolor", r.fontColor);
    v.color("disabledfontcolor", r.disabledFontColor);
    v.color("activefontcolor", r.activeFontColor);
    v.color("fontpagecolor", r.fontPageColor);
    v.color("activefontpagecolor", r.activeFontPageColor);
    v.rect("gripperrect", r.gripperRect);
    v.color("grippertransparentcolor", r.gripperTransparentColor);
}

void controlBarFields(DataSkinControlBar& r, FieldVisitor& v)
{
    v.rect("itemrect", r.itemRect);
    v.integer("bgpictureindex", r.bgPictureIndex, -1);
    v.rect("hgriprect", r.hGripRect);
    v.rect("vgriprect", r.vGripRect);
    v.integer("gripoffset1", r.gripOffset1);
    v.integer("gripoffset2", r.gripOffset2);
    v.boolean("itemstretcheffect", r.itemStretchEffect);
    v.integer("itemoffset1", r.itemOffset1, 3);
    v.integer("itemoffset2", r.itemOffset2, 3);
    v.boolean("itemtransparent", r.itemTransparent);
    v.color("itemtransparentcolor", r.itemTransparentColor);
    v.boolean("griptransparent", r.gripTransparent);
    v.color("griptransparentcolor", r.gripTransparentColor);
}

void sliderFields(DataSkinSlider& r, FieldVisitor& v)
{
    v.color("bgcolor", r.bgColor);
    v.integer("edgesize", r.edgeSize);
    v.color("pointscolor", r.pointsColor);
}

void bevelFields(DataSkinBevel& r, FieldVisitor& v)
{
    v.color("lightcolor", r.lightColor);
    v.color("darkcolor", r.darkColor);
}

void treeViewFields(DataSkinTreeView& r, FieldVisitor& v)
{
    fontFields(r, v);
    v.color("bgcolor", r.bgColor);
}

void listViewFields(DataSkinListView& r, FieldVisitor& v)
{
    fontFields(r, v);
    v.color("bgcolor", r.bgColor);
}

void richEditFields(DataSkinRichEdit& r, FieldVisitor& v)
{
    fontFields(r, v);
    v.color("bgcolor", r.bgColor);
}

void tabControlFields(DataSkinTabControl& r, FieldVisitor& v)
{
    v.rect("tabrect", r.tabRect);
    v.rect("activetabrect", r.activeTabRect);
    v.rect("focustabrect", r.focusTabRect);
    v.rect("mouseintabrect", r.mouseInTabRect);
    v.rect("clientrect", r.clRect);
    v.integer("bgpictureindex", r.bgPictureIndex, -1);
    v.point("lefttoppoint", r.ltPoint);
    v.point("righttoppoint", r.rtPoint);
    v.point("leftbottompoint", r.lbPoint);
    v.point("rightbottompoint", r.rbPoint);
    v.integer("tableftoffset", r.tabLeftOffset);
    v.integer("tabrightoffset", r.tabRightOffset);
    v.rect("tabsbgrect", r.tabsBGRect);
    v.boolean("tabstretcheffect", r.tabStretchEffect);
    v.boolean("leftstretch", r.leftStretch);
    v.boolean("topstretch", r.topStretch);
    v.boolean("rightstretch", r.rightStretch);
    v.boolean("bottomstretch", r.bottomStretch);
    v.boolean("stretcheffect", r.stretchEffect);
    v.stretchType("stretchtype", r.stretchType);
    fontFields(r, v);
    v.color("activefontcolor", r.activeFontColor);
    v.color("focusfontcolor", r.focusFontColor);
    v.color("mouseinfontcolor", r.mouseInFontColor);
    v.text("updown", r.upDown);
    v.boolean("showfocus", r.showFocus);
    v.integer("focusoffsetx", r.focusOffsetX);
    v.integer("focusoffsety", r.focusOffsetY);
    v.rect("closebuttonrect", r.closeButtonRect);
    v.rect("closebuttonactiverect", r.closeButtonActiveRect);
    v.rect("closebuttondownrect", r.closeButtonDownRect);
    v.boolean("buttontransparent", r.buttonTransparent);
    v.color("buttontransparentcolor", r.buttonTransparentColor);
    v.rect("dividerrect", r.dividerRect);
    v.boolean("dividertransparent", r.dividerTransparent);
    v.color("dividertransparentcolor", r.dividerTransparentColor);
    v.rect("mdicloserect", r.mdiCloseRect);
    v.rect("mdicloseactiverect", r.mdiCloseActiveRect);
    v.rect("mdiclosedownrect", r.mdiCloseDownRect);
    v.rect("mdirestorerect", r.mdiRestoreRect);
    v.rect("mdirestoreactiverect", r.mdiRestoreActiveRect);
    v.rect("mdirestoredownrect", r.mdiRestoreDownRect);
    v.rect("mdiminrect", r.mdiMinRect);
    v.rect("mdiminactiverect", r.mdiMinActiveRect);
    v.rect("mdimindownrect", r.mdiMinDownRect);
    v.boolean("mdibuttonstransparent", r.mdiButtonsTransparent);
    v.color("mdibuttonstransparentcolor", r.mdiButtonsTransparentColor);
}

void gridControlFields(DataSkinGridControl& r, FieldVisitor& v)
{
    v.rect("fixedcellrect", r.fixedCellRect);
    v.rect("selectcellrect", r.selectCellRect);
    v.rect("focuscellrect", r.focusCellRect);
    v.integer("fixedcellleftoffset", r.fixedCellLeftOffset);
    v.integer("fixedcellrightoffset", r.fixedCellRightOffset);
    v.rect("fixedcelltextrect", r.fixedCellTextRect);
    v.integer("cellleftoffset", r.cellLeftOffset);
    v.integer("cellrightoffset", r.cellRightOffset);
    v.rect("celltextrect", r.cellTextRect);
    v.integer("bgpictureindex", r.bgPictureIndex, -1);
    v.color("linescolor", r.linesColor);
    v.color("bgcolor", r.bgColor);
    fontFields(r, v);
    v.color("selectfontcolor", r.selectFontColor);
    v.color("focusfontcolor", r.focusFontColor);
    v.text("fixedfontname", r.fixedFontName, "Arial");
    v.integer("fixedfontheight", r.fixedFontHeight, 14);
    v.fontStyle("fixedfontstyle", r.fixedFontStyle);
    v.color("fixedfontcolor", r.fixedFontColor);
    v.boolean("cellstretcheffect", r.cellStretchEffect);
    v.boolean("fixedcellstretcheffect", r.fixedCellStretchEffect);
    v.boolean("showfocus", r.showFocus);
}

void spinEditControlFields(DataSkinSpinEditControl& r, FieldVisitor& v)
{
    v.rect("activeskinrect", r.activeSkinRect);
    fontFields(r, v);
    v.color("activefontcolor", r.activeFontColor);
    v.color("disabledfontcolor", r.disabledFontColor);
    v.rect("upbuttonrect", r.upButtonRect);
    v.rect("activeupbuttonrect", r.activeUpButtonRect);
    v.rect("downupbuttonrect", r.downUpButtonRect);
    v.rect("downbuttonrect", r.downButtonRect);
    v.rect("activedownbuttonrect", r.activeDownButtonRect);
    v.rect("downdownbuttonrect", r.downDownButtonRect);
}

void scrollBarControlFields(DataSkinScrollBarControl& r, FieldVisitor& v)
{
    v.rect("trackarea", r.trackArea);
    v.rect("upbuttonrect", r.upButtonRect);
    v.rect("activeupbuttonrect", r.activeUpButtonRect);
    v.rect("downupbuttonrect", r.downUpButtonRect);
    v.rect("downbuttonrect", r.downButtonRect);
    v.rect("activedownbuttonrect", r.activeDownButtonRect);
    v.rect("downdownbuttonrect", r.downDownButtonRect);
    v.rect("thumbrect", r.thumbRect);
    v.rect("activethumbrect", r.activeThumbRect);
    v.rect("downthumbrect", r.downThumbRect);
    v.integer("thumboffset1", r.thumbOffset1);
    v.integer("thumboffset2", r.thumbOffset2);
    v.boolean("thumbtransparent", r.thumbTransparent);
    v.color("thumbtransparentcolor", r.thumbTransparentColor);
    v.boolean("thumbstretcheffect", r.thumbStretchEffect);
    v.integer("thumbminsize", r.thumbMinSize);
    v.integer("thumbminpagesize", r.thumbMinPageSize);
    v.rect("glyphrect", r.glyphRect);
    v.rect("activeglyphrect", r.activeGlyphRect);
    v.rect("downglyphrect", r.downGlyphRect);
    v.boolean("glyphtransparent", r.glyphTransparent);
    v.color("glyphtransparentcolor", r.glyphTransparentColor);
}

void trackBarControlFields(DataSkinTrackBarControl& r, FieldVisitor& v)
{
    v.rect("activeskinrect", r.activeSkinRect);
    v.rect("trackarea", r.trackArea);
    v.rect("buttonrect", r.buttonRect);
    v.rect("activebuttonrect", r.activeButtonRect);
    v.boolean("vertical", r.vertical);
    v.boolean("buttontransparent", r.buttonTransparent);
    v.color("buttontransparentcolor", r.buttonTransparentColor);
}

void splitterControlFields(DataSkinSplitterControl& r, FieldVisitor& v)
{
    v.rect("gripperrect", r.gripperRect);
    v.boolean("grippertransparent", r.gripperTransparent);
    v.color("grippertransparentcolor", r.gripperTransparentColor);
}

void gaugeControlFields(DataSkinGaugeControl& r, FieldVisitor& v)
{
    v.rect("progressarea", r.progressArea);
    v.rect("progressrect", r.progressRect);
    v.integer("beginoffset", r.beginOffset);
    v.integer("endoffset", r.endOffset);
    v.boolean("vertical", r.vertical);
    fontFields(r, v);
    v.boolean("progresstransparent", r.progressTransparent);
    v.color("progresstransparentcolor", r.progressTransparentColor);
    v.boolean("progressstretch", r.progressStretch);
    v.rect("animationskinrect", r.animationSkinRect);
    v.integer("animationcountframes", r.animationCountFrames);
    v.integer("animationtimerinterval", r.animationTimerInterval);
    v.rect("progressanimationskinrect", r.progressAnimationSkinRect);
    v.integer("progressanimationcountframes", r.progressAnimationCountFrames);
    v.integer("progressanimationtimerinterval", r.progressAnimationTimerInterval);
    v.integer("animationbeginoffset", r.animationBeginOffset);
    v.integer("animationendoffset", r.animationEndOffset);
}

void scrollBoxControlFields(DataSkinScrollBoxControl& r, FieldVisitor& v)
{
    v.integer("bgpictureindex", r.bgPictureIndex, -1);
}

void exPanelControlFields(DataSkinExPanelControl& r, FieldVisitor& v)
{
    v.rect("rollhskinrect", r.rollHSkinRect);
    v.rect("rollvskinrect", r.rollVSkinRect);
    v.integer("rollleftoffset", r.rollLeftOffset);
    v.integer("rollrightoffset", r.rollRightOffset);
    v.integer("rolltopoffset", r.rollTopOffset);
    v.integer("rollbottomoffset", r.rollBottomOffset);
    v.rect("rollvcaptionrect", r.rollVCaptionRect);
    v.rect("rollhcaptionrect", r.rollHCaptionRect);
    v.rect("closebuttonrect", r.closeButtonRect);
    v.rect("closebuttonactiverect", r.closeButtonActiveRect);
    v.rect("closebuttondownrect", r.closeButtonDownRect);
    v.rect("hrollbuttonrect", r.hRollButtonRect);
    v.rect("hrollbuttonactiverect", r.hRollButtonActiveRect);
    v.rect("hrollbuttondownrect", r.hRollButtonDownRect);
    v.rect("hrestorebuttonrect", r.hRestoreButtonRect);
    v.rect("hrestorebuttonactiverect", r.hRestoreButtonActiveRect);
    v.rect("hrestorebuttondownrect", r.hRestoreButtonDownRect);
    v.rect("vrollbuttonrect", r.vRollButtonRect);
    v.rect("vrollbuttonactiverect", r.vRollButtonActiveRect);
    v.rect("vrollbuttondownrect", r.vRollButtonDownRect);
    v.rect("vrestorebuttonrect", r.vRestoreButtonRect);
    v.rect("vrestorebuttonactiverect", r.vRestoreButtonActiveRect);
    v.rect("vrestorebuttondownrect", r.vRestoreButtonDownRect);
    v.rect("captionrect", r.captionRect);
    fontFields(r, v);
    v.boolean("buttonstransparent", r.buttonsTransparent);
    v.color("buttonstransparentcolor", r.buttonsTransparentColor);
}

void checkRadioControlFields(DataSkinCheckRadioControl& r, FieldVisitor& v)
{
    fontFields(r, v);
    v.color("activefontcolor", r.activeFontColor);
    v.color("unenabledfontcolor", r.unEnabledFontColor);
    v.color("framefontcolor", r.frameFontColor);
    v.rect("activeskinrect", r.activeSkinRect);
    v.rect("checkimagearea", r.checkImageArea);
    v.rect("textarea", r.textArea);
    v.rect("checkimagerect", r.checkImageRect);
    v.rect("uncheckimagerect", r.unCheckImageRect);
    v.rect("activecheckimagerect", r.activeCheckImageRect);
    v.rect("activeuncheckimagerect", r.activeUnCheckImageRect);
    v.rect("unenabledcheckimagerect", r.unEnabledCheckImageRect);
    v.rect("unenableduncheckimagerect", r.unEnabledUnCheckImageRect);
    v.rect("grayedcheckimagerect", r.grayedCheckImageRect);
    v.rect("activegrayedcheckimagerect", r.activeGrayedCheckImageRect);
    v.boolean("morphing", r.morphing);
    v.morphKind("morphkind", r.morphKind);
}

} // namespace

DataSkinControl::DataSkinControl(std::string idName)
    : SkinRecord(std::move(idName))
{
    setDefaults(*this, controlFields);
}

void DataSkinControl::visitFields(FieldVisitor& visitor)
{
    controlFields(*this, visitor);
}

DataSkinCustomControl::DataSkinCustomControl(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, customControlFields);
}

void DataSkinCustomControl::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    customControlFields(*this, visitor);
}

DataSkinButtonControl::DataSkinButtonControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, buttonControlFields);
}

void DataSkinButtonControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    buttonControlFields(*this, visitor);
}

DataSkinMenuButtonControl::DataSkinMenuButtonControl(std::string idName)
    : DataSkinButtonControl(std::move(idName))
{
    setDefaults(*this, menuButtonControlFields);
}

void DataSkinMenuButtonControl::visitFields(FieldVisitor& visitor)
{
    DataSkinButtonControl::visitFields(visitor);
    menuButtonControlFields(*this, visitor);
}

DataSkinEditControl::DataSkinEditControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, editControlFields);
}

void DataSkinEditControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    editControlFields(*this, visitor);
}

DataSkinMemoControl::DataSkinMemoControl(std::string idName)
    : DataSkinEditControl(std::move(idName))
{
    setDefaults(*this, memoControlFields);
}

void DataSkinMemoControl::visitFields(FieldVisitor& visitor)
{
    DataSkinEditControl::visitFields(visitor);
    memoControlFields(*this, visitor);
}

DataSkinPanelControl::DataSkinPanelControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, panelControlFields);
}

void DataSkinPanelControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    panelControlFields(*this, visitor);
}

DataSkinLabelControl::DataSkinLabelControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, labelControlFields);
}

void DataSkinLabelControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    labelControlFields(*this, visitor);
}

DataSkinStdLabelControl::DataSkinStdLabelControl(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, stdLabelControlFields);
}

void DataSkinStdLabelControl::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    stdLabelControlFields(*this, visitor);
}

DataSkinMainMenuBar::DataSkinMainMenuBar(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, mainMenuBarFields);
}

void DataSkinMainMenuBar::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    mainMenuBarFields(*this, visitor);
}

DataSkinUpDownControl::DataSkinUpDownControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, upDownControlFields);
}

void DataSkinUpDownControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    upDownControlFields(*this, visitor);
}

DataSkinListBox::DataSkinListBox(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, listBoxFields);
}

void DataSkinListBox::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    listBoxFields(*this, visitor);
}

DataSkinCheckListBox::DataSkinCheckListBox(std::string idName)
    : DataSkinListBox(std::move(idName))
{
    setDefaults(*this, checkListBoxFields);
}

void DataSkinCheckListBox::visitFields(FieldVisitor& visitor)
{
    DataSkinListBox::visitFields(visitor);
    checkListBoxFields(*this, visitor);
}

DataSkinComboBox::DataSkinComboBox(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, comboBoxFields);
}

void DataSkinComboBox::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    comboBoxFields(*this, visitor);
}

DataSkinAppMenu::DataSkinAppMenu(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, appMenuFields);
}

void DataSkinAppMenu::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    appMenuFields(*this, visitor);
}

DataSkinControlBar::DataSkinControlBar(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, controlBarFields);
}

void DataSkinControlBar::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    controlBarFields(*this, visitor);
}

DataSkinSlider::DataSkinSlider(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, sliderFields);
}

void DataSkinSlider::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    sliderFields(*this, visitor);
}

DataSkinBevel::DataSkinBevel(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, bevelFields);
}

void DataSkinBevel::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    bevelFields(*this, visitor);
}

DataSkinTreeView::DataSkinTreeView(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, treeViewFields);
}

void DataSkinTreeView::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    treeViewFields(*this, visitor);
}

DataSkinListView::DataSkinListView(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, listViewFields);
}

void DataSkinListView::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    listViewFields(*this, visitor);
}

DataSkinRichEdit::DataSkinRichEdit(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, richEditFields);
}

void DataSkinRichEdit::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    richEditFields(*this, visitor);
}

DataSkinTabControl::DataSkinTabControl(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, tabControlFields);
}

void DataSkinTabControl::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    tabControlFields(*this, visitor);
}

DataSkinGridControl::DataSkinGridControl(std::string idName)
    : DataSkinControl(std::move(idName))
{
    setDefaults(*this, gridControlFields);
}

void DataSkinGridControl::visitFields(FieldVisitor& visitor)
{
    DataSkinControl::visitFields(visitor);
    gridControlFields(*this, visitor);
}

DataSkinSpinEditControl::DataSkinSpinEditControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, spinEditControlFields);
}

void DataSkinSpinEditControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    spinEditControlFields(*this, visitor);
}

DataSkinScrollBarControl::DataSkinScrollBarControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, scrollBarControlFields);
}

void DataSkinScrollBarControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    scrollBarControlFields(*this, visitor);
}

DataSkinTrackBarControl::DataSkinTrackBarControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, trackBarControlFields);
}

void DataSkinTrackBarControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    trackBarControlFields(*this, visitor);
}

DataSkinSplitterControl::DataSkinSplitterControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, splitterControlFields);
}

void DataSkinSplitterControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    splitterControlFields(*this, visitor);
}

DataSkinGaugeControl::DataSkinGaugeControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, gaugeControlFields);
}

void DataSkinGaugeControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    gaugeControlFields(*this, visitor);
}

DataSkinScrollBoxControl::DataSkinScrollBoxControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, scrollBoxControlFields);
}

void DataSkinScrollBoxControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    scrollBoxControlFields(*this, visitor);
}

DataSkinExPanelControl::DataSkinExPanelControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, exPanelControlFields);
}

void DataSkinExPanelControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    exPanelControlFields(*this, visitor);
}

DataSkinCheckRadioControl::DataSkinCheckRadioControl(std::string idName)
    : DataSkinCustomControl(std::move(idName))
{
    setDefaults(*this, checkRadioControlFields);
}

void DataSkinCheckRadioControl::visitFields(FieldVisitor& visitor)
{
    DataSkinCustomControl::visitFields(visitor);
    checkRadioControlFields(*this, visitor);
}

std::unique_ptr<DataSkinControl> createControlRecord(std::string_view type, std::string idName)
{
    using Factory = std::unique_ptr<DataSkinControl> (*)(std::string);
    static constexpr std::pair<std::string_view, Factory> factories[] = {
        {"button", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinButtonControl>(std::move(name)); }},
        {"menubutton", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinMenuButtonControl>(std::move(name)); }},
        {"edit", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinEditControl>(std::move(name)); }},
        {"memo", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinMemoControl>(std::move(name)); }},
        {"panel", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinPanelControl>(std::move(name)); }},
        {"label", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinLabelControl>(std::move(name)); }},
        {"stdlabel", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinStdLabelControl>(std::move(name)); }},
        {"mainmenubar", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinMainMenuBar>(std::move(name)); }},
        {"updown", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinUpDownControl>(std::move(name)); }},
        {"listbox", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinListBox>(std::move(name)); }},
        {"checklistbox", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinCheckListBox>(std::move(name)); }},
        {"combobox", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinComboBox>(std::move(name)); }},
        {"appmenu", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinAppMenu>(std::move(name)); }},
        {"controlbar", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinControlBar>(std::move(name)); }},
        {"slider", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinSlider>(std::move(name)); }},
        {"bevel", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinBevel>(std::move(name)); }},
        {"treeview", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinTreeView>(std::move(name)); }},
        {"listview", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinListView>(std::move(name)); }},
        {"richedit", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinRichEdit>(std::move(name)); }},
        {"tab", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinTabControl>(std::move(name)); }},
        {"grid", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinGridControl>(std::move(name)); }},
        {"spinedit", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinSpinEditControl>(std::move(name)); }},
        {"scrollbar", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinScrollBarControl>(std::move(name)); }},
        {"trackbar", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinTrackBarControl>(std::move(name)); }},
        {"splitter", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinSplitterControl>(std::move(name)); }},
        {"gauge", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinGaugeControl>(std::move(name)); }},
        {"scrollbox", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinScrollBoxControl>(std::move(name)); }},
        {"expanel", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinExPanelControl>(std::move(name)); }},
        {"checkradio", [](std::string name) -> std::unique_ptr<DataSkinControl> { return std::make_unique<DataSkinCheckRadioControl>(std::move(name)); }},
    };
    for (const auto& [name, create] : factories)
        if (name == type)
            return create(std::move(idName));
    return nullptr;
}

} // namespace tessaly::skin
