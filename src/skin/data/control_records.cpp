#include "skin/data/control_records.h"

#include <utility>

namespace tessaly::skin {

void UpDownButtonKeys::fields(FieldVisitor& v)
{
    v.rect("upbuttonrect", upButtonRect);
    v.rect("activeupbuttonrect", activeUpButtonRect);
    v.rect("downupbuttonrect", downUpButtonRect);
    v.rect("downbuttonrect", downButtonRect);
    v.rect("activedownbuttonrect", activeDownButtonRect);
    v.rect("downdownbuttonrect", downDownButtonRect);
}

void EditButtonKeys::fields(FieldVisitor& v)
{
    v.rect("buttonrect", buttonRect);
    v.rect("activebuttonrect", activeButtonRect);
    v.rect("downbuttonrect", downButtonRect);
    v.rect("unenabledbuttonrect", unEnabledButtonRect);
}

void ItemKeys::fields(FieldVisitor& v)
{
    v.rect("itemrect", sItemRect);
    v.rect("activeitemrect", activeItemRect);
    v.rect("focusitemrect", focusItemRect);
    v.integer("itemleftoffset", itemLeftOffset);
    v.integer("itemrightoffset", itemRightOffset);
    v.rect("itemtextrect", itemTextRect);
}

void CloseButtonKeys::fields(FieldVisitor& v)
{
    v.rect("closebuttonrect", closeButtonRect);
    v.rect("closebuttonactiverect", closeButtonActiveRect);
    v.rect("closebuttondownrect", closeButtonDownRect);
}

void ControlKeys::fields(FieldVisitor& v)
{
    v.integer("pictureindex", pictureIndex, -1);
    v.integer("maskpictureindex", maskPictureIndex, -1);
    v.rect("skinrect", skinRect);
}

void CustomControlKeys::fields(FieldVisitor& v)
{
    CornerKeys::fields(v);
    v.rect("clientrect", clRect);
    StretchKeys::fields(v);
}

void ButtonControlKeys::fields(FieldVisitor& v)
{
    FontKeys::fields(v);
    v.color("activefontcolor", activeFontColor);
    v.color("downfontcolor", downFontColor);
    v.color("disabledfontcolor", disabledFontColor);
    v.rect("activeskinrect", activeSkinRect);
    v.rect("downskinrect", downSkinRect);
    v.rect("focusedskinrect", focusedSkinRect);
    v.rect("disabledskinrect", disabledSkinRect);
    v.boolean("morphing", morphing);
    v.morphKind("morphkind", morphKind);
    AnimationKeys::fields(v);
    v.boolean("showfocus", showFocus);
    v.rect("menumarkerflatrect", menuMarkerFlatRect);
    v.rect("menumarkerrect", menuMarkerRect);
    v.rect("menumarkeractiverect", menuMarkerActiveRect);
    v.rect("menumarkerdownrect", menuMarkerDownRect);
    v.color("menumarkertransparentcolor", menuMarkerTransparentColor);
    v.integer("glowlayerpictureindex", glowLayerPictureIndex, -1);
    v.integer("glowlayermaskpictureindex", glowLayerMaskPictureIndex, -1);
    v.integer("glowlayeroffsetleft", glowLayerOffsetLeft);
    v.integer("glowlayeroffsettop", glowLayerOffsetTop);
    v.integer("glowlayeroffsetright", glowLayerOffsetRight);
    v.integer("glowlayeroffsetbottom", glowLayerOffsetBottom);
    v.integer("glowlayershowoffsetx", glowLayerShowOffsetX);
    v.integer("glowlayershowoffsety", glowLayerShowOffsetY);
    v.integer("glowlayeralphablendvalue", glowLayerAlphaBlendValue, 255);
}

void MenuButtonControlKeys::fields(FieldVisitor& v)
{
    v.rect("trackbuttonrect", trackButtonRect);
}

void EditControlKeys::fields(FieldVisitor& v)
{
    v.rect("activeskinrect", activeSkinRect);
    FontKeys::fields(v);
    v.color("disabledfontcolor", disabledFontColor);
    v.color("activefontcolor", activeFontColor);
    EditButtonKeys::fields(v);
}

void MemoControlKeys::fields(FieldVisitor& v)
{
    v.color("bgcolor", bgColor);
    v.color("activebgcolor", activeBGColor);
}

void PanelControlKeys::fields(FieldVisitor& v)
{
    v.integer("bgpictureindex", bgPictureIndex, -1);
    v.rect("captionrect", captionRect);
    v.alignment("alignment", alignment);
    FontKeys::fields(v);
    v.rect("checkimagerect", checkImageRect);
    v.rect("uncheckimagerect", unCheckImageRect);
    v.rect("markframerect", markFrameRect);
    v.rect("framerect", frameRect);
    v.rect("frametextrect", frameTextRect);
    v.integer("frameleftoffset", frameLeftOffset);
    v.integer("framerightoffset", frameRightOffset);
    v.rect("gripperrect", gripperRect);
    v.boolean("grippertransparent", gripperTransparent);
    v.color("grippertransparentcolor", gripperTransparentColor);
    v.rect("buttonrect", buttonRect);
    v.rect("buttonactiverect", buttonActiveRect);
    v.rect("buttondownrect", buttonDownRect);
    v.boolean("buttontransparent", buttonTransparent);
    v.color("buttontransparentcolor", buttonTransparentColor);
}

void StdLabelControlKeys::fields(FieldVisitor& v)
{
    FontKeys::fields(v);
    v.color("activefontcolor", activeFontColor, rgbColor(0, 0, 255));
}

void MainMenuBarKeys::fields(FieldVisitor& v)
{
    v.rect("itemsrect", itemsRect);
    v.text("menubaritem", menuBarItem);
    v.text("closebutton", closeButton);
    v.text("minbutton", minButton);
    v.text("maxbutton", maxButton);
    v.text("sysmenubutton", sysMenuButton);
    v.color("trackmarkcolor", trackMarkColor);
    v.color("trackmarkactivecolor", trackMarkActiveColor);
    v.boolean("stretcheffect", stretchEffect);
    v.boolean("itemtransparent", itemTransparent);
}

void ListBoxKeys::fields(FieldVisitor& v)
{
    ItemKeys::fields(v);
    FontKeys::fields(v);
    v.color("activefontcolor", activeFontColor);
    v.color("focusfontcolor", focusFontColor);
    v.rect("captionrect", captionRect);
    v.text("captionfontname", captionFontName, "Arial");
    v.integer("captionfontheight", captionFontHeight, 14);
    v.fontStyle("captionfontstyle", captionFontStyle);
    v.color("captionfontcolor", captionFontColor);
    UpDownButtonKeys::fields(v);
    v.rect("checkbuttonrect", checkButtonRect);
    v.rect("activecheckbuttonrect", activeCheckButtonRect);
    v.rect("downcheckbuttonrect", downCheckButtonRect);
    v.text("vscrollbarname", vScrollBarName, "vscrollbar");
    v.text("hscrollbarname", hScrollBarName, "hscrollbar");
    v.text("bothhscrollbarname", bothScrollBarName, "bothhscrollbar");
    v.boolean("showfocus", showFocus);
    v.rect("disabledbuttonsrect", disabledButtonsRect);
    v.rect("buttonsarea", buttonsArea);
}

void CheckListBoxKeys::fields(FieldVisitor& v)
{
    v.rect("itemcheckrect", itemCheckRect);
    v.rect("checkimagerect", checkImageRect);
    v.rect("uncheckimagerect", unCheckImageRect);
}

void ComboBoxKeys::fields(FieldVisitor& v)
{
    v.rect("activeskinrect", activeSkinRect);
    ItemKeys::fields(v);
    FontKeys::fields(v);
    v.color("focusfontcolor", focusFontColor);
    v.color("activefontcolor", activeFontColor);
    v.text("listboxname", listBoxName);
    EditButtonKeys::fields(v);
    v.boolean("itemstretcheffect", itemStretchEffect);
    v.boolean("focusitemstretcheffect", focusItemStretchEffect);
    v.boolean("showfocus", showFocus);
}

void AppMenuKeys::fields(FieldVisitor& v)
{
    v.integer("bgpictureindex", bgPictureIndex, -1);
    v.boolean("bgstretcheffect", bgStretchEffect);
    v.rect("itemrect", itemRect);
    v.rect("pageitemrect", pageItemRect);
    v.rect("pageitemactiverect", pageItemActiveRect);
    v.integer("itemoffset1", itemOffset1, 3);
    v.integer("itemoffset2", itemOffset2, 3);
    v.integer("pageitemoffset1", pageItemOffset1, 10);
    v.integer("pageitemoffset2", pageItemOffset2, 10);
    v.integer("pageoffset", pageOffset);
    // The page height sits inside the font's keys.
    v.text("fontname", fontName, "Arial");
    v.integer("fontheight", fontHeight, 14);
    v.integer("fontpageheight", fontPageHeight, 16);
    v.fontStyle("fontstyle", fontStyle);
    v.color("fontcolor", fontColor);
    v.color("disabledfontcolor", disabledFontColor);
    v.color("activefontcolor", activeFontColor);
    v.color("fontpagecolor", fontPageColor);
    v.color("activefontpagecolor", activeFontPageColor);
    v.rect("gripperrect", gripperRect);
    v.color("grippertransparentcolor", gripperTransparentColor);
}

void ControlBarKeys::fields(FieldVisitor& v)
{
    v.rect("itemrect", itemRect);
    v.integer("bgpictureindex", bgPictureIndex, -1);
    v.rect("hgriprect", hGripRect);
    v.rect("vgriprect", vGripRect);
    v.integer("gripoffset1", gripOffset1);
    v.integer("gripoffset2", gripOffset2);
    v.boolean("itemstretcheffect", itemStretchEffect);
    v.integer("itemoffset1", itemOffset1, 3);
    v.integer("itemoffset2", itemOffset2, 3);
    v.boolean("itemtransparent", itemTransparent);
    v.color("itemtransparentcolor", itemTransparentColor);
    v.boolean("griptransparent", gripTransparent);
    v.color("griptransparentcolor", gripTransparentColor);
}

void SliderKeys::fields(FieldVisitor& v)
{
    v.color("bgcolor", bgColor);
    v.integer("edgesize", edgeSize);
    v.color("pointscolor", pointsColor);
}

void BevelKeys::fields(FieldVisitor& v)
{
    v.color("lightcolor", lightColor);
    v.color("darkcolor", darkColor);
}

void FontOnColorKeys::fields(FieldVisitor& v)
{
    FontKeys::fields(v);
    v.color("bgcolor", bgColor);
}

void TabControlKeys::fields(FieldVisitor& v)
{
    v.rect("tabrect", tabRect);
    v.rect("activetabrect", activeTabRect);
    v.rect("focustabrect", focusTabRect);
    v.rect("mouseintabrect", mouseInTabRect);
    v.rect("clientrect", clRect);
    v.integer("bgpictureindex", bgPictureIndex, -1);
    CornerKeys::fields(v);
    v.integer("tableftoffset", tabLeftOffset);
    v.integer("tabrightoffset", tabRightOffset);
    v.rect("tabsbgrect", tabsBGRect);
    v.boolean("tabstretcheffect", tabStretchEffect);
    StretchKeys::fields(v);
    FontKeys::fields(v);
    v.color("activefontcolor", activeFontColor);
    v.color("focusfontcolor", focusFontColor);
    v.color("mouseinfontcolor", mouseInFontColor);
    v.text("updown", upDown);
    v.boolean("showfocus", showFocus);
    v.integer("focusoffsetx", focusOffsetX);
    v.integer("focusoffsety", focusOffsetY);
    CloseButtonKeys::fields(v);
    v.boolean("buttontransparent", buttonTransparent);
    v.color("buttontransparentcolor", buttonTransparentColor);
    v.rect("dividerrect", dividerRect);
    v.boolean("dividertransparent", dividerTransparent);
    v.color("dividertransparentcolor", dividerTransparentColor);
    v.rect("mdicloserect", mdiCloseRect);
    v.rect("mdicloseactiverect", mdiCloseActiveRect);
    v.rect("mdiclosedownrect", mdiCloseDownRect);
    v.rect("mdirestorerect", mdiRestoreRect);
    v.rect("mdirestoreactiverect", mdiRestoreActiveRect);
    v.rect("mdirestoredownrect", mdiRestoreDownRect);
    v.rect("mdiminrect", mdiMinRect);
    v.rect("mdiminactiverect", mdiMinActiveRect);
    v.rect("mdimindownrect", mdiMinDownRect);
    v.boolean("mdibuttonstransparent", mdiButtonsTransparent);
    v.color("mdibuttonstransparentcolor", mdiButtonsTransparentColor);
}

void GridControlKeys::fields(FieldVisitor& v)
{
    v.rect("fixedcellrect", fixedCellRect);
    v.rect("selectcellrect", selectCellRect);
    v.rect("focuscellrect", focusCellRect);
    v.integer("fixedcellleftoffset", fixedCellLeftOffset);
    v.integer("fixedcellrightoffset", fixedCellRightOffset);
    v.rect("fixedcelltextrect", fixedCellTextRect);
    v.integer("cellleftoffset", cellLeftOffset);
    v.integer("cellrightoffset", cellRightOffset);
    v.rect("celltextrect", cellTextRect);
    v.integer("bgpictureindex", bgPictureIndex, -1);
    v.color("linescolor", linesColor);
    v.color("bgcolor", bgColor);
    FontKeys::fields(v);
    v.color("selectfontcolor", selectFontColor);
    v.color("focusfontcolor", focusFontColor);
    v.text("fixedfontname", fixedFontName, "Arial");
    v.integer("fixedfontheight", fixedFontHeight, 14);
    v.fontStyle("fixedfontstyle", fixedFontStyle);
    v.color("fixedfontcolor", fixedFontColor);
    v.boolean("cellstretcheffect", cellStretchEffect);
    v.boolean("fixedcellstretcheffect", fixedCellStretchEffect);
    v.boolean("showfocus", showFocus);
}

void SpinEditControlKeys::fields(FieldVisitor& v)
{
    v.rect("activeskinrect", activeSkinRect);
    FontKeys::fields(v);
    v.color("activefontcolor", activeFontColor);
    v.color("disabledfontcolor", disabledFontColor);
    UpDownButtonKeys::fields(v);
}

void ScrollBarControlKeys::fields(FieldVisitor& v)
{
    v.rect("trackarea", trackArea);
    UpDownButtonKeys::fields(v);
    v.rect("thumbrect", thumbRect);
    v.rect("activethumbrect", activeThumbRect);
    v.rect("downthumbrect", downThumbRect);
    v.integer("thumboffset1", thumbOffset1);
    v.integer("thumboffset2", thumbOffset2);
    v.boolean("thumbtransparent", thumbTransparent);
    v.color("thumbtransparentcolor", thumbTransparentColor);
    v.boolean("thumbstretcheffect", thumbStretchEffect);
    v.integer("thumbminsize", thumbMinSize);
    v.integer("thumbminpagesize", thumbMinPageSize);
    v.rect("glyphrect", glyphRect);
    v.rect("activeglyphrect", activeGlyphRect);
    v.rect("downglyphrect", downGlyphRect);
    v.boolean("glyphtransparent", glyphTransparent);
    v.color("glyphtransparentcolor", glyphTransparentColor);
}

void TrackBarControlKeys::fields(FieldVisitor& v)
{
    v.rect("activeskinrect", activeSkinRect);
    v.rect("trackarea", trackArea);
    v.rect("buttonrect", buttonRect);
    v.rect("activebuttonrect", activeButtonRect);
    v.boolean("vertical", vertical);
    v.boolean("buttontransparent", buttonTransparent);
    v.color("buttontransparentcolor", buttonTransparentColor);
}

void SplitterControlKeys::fields(FieldVisitor& v)
{
    v.rect("gripperrect", gripperRect);
    v.boolean("grippertransparent", gripperTransparent);
    v.color("grippertransparentcolor", gripperTransparentColor);
}

void GaugeControlKeys::fields(FieldVisitor& v)
{
    v.rect("progressarea", progressArea);
    v.rect("progressrect", progressRect);
    v.integer("beginoffset", beginOffset);
    v.integer("endoffset", endOffset);
    v.boolean("vertical", vertical);
    FontKeys::fields(v);
    v.boolean("progresstransparent", progressTransparent);
    v.color("progresstransparentcolor", progressTransparentColor);
    v.boolean("progressstretch", progressStretch);
    v.rect("animationskinrect", animationSkinRect);
    v.integer("animationcountframes", animationCountFrames);
    v.integer("animationtimerinterval", animationTimerInterval);
    v.rect("progressanimationskinrect", progressAnimationSkinRect);
    v.integer("progressanimationcountframes", progressAnimationCountFrames);
    v.integer("progressanimationtimerinterval", progressAnimationTimerInterval);
    v.integer("animationbeginoffset", animationBeginOffset);
    v.integer("animationendoffset", animationEndOffset);
}

void ScrollBoxControlKeys::fields(FieldVisitor& v)
{
    v.integer("bgpictureindex", bgPictureIndex, -1);
}

void ExPanelControlKeys::fields(FieldVisitor& v)
{
    v.rect("rollhskinrect", rollHSkinRect);
    v.rect("rollvskinrect", rollVSkinRect);
    v.integer("rollleftoffset", rollLeftOffset);
    v.integer("rollrightoffset", rollRightOffset);
    v.integer("rolltopoffset", rollTopOffset);
    v.integer("rollbottomoffset", rollBottomOffset);
    v.rect("rollvcaptionrect", rollVCaptionRect);
    v.rect("rollhcaptionrect", rollHCaptionRect);
    CloseButtonKeys::fields(v);
    v.rect("hrollbuttonrect", hRollButtonRect);
    v.rect("hrollbuttonactiverect", hRollButtonActiveRect);
    v.rect("hrollbuttondownrect", hRollButtonDownRect);
    v.rect("hrestorebuttonrect", hRestoreButtonRect);
    v.rect("hrestorebuttonactiverect", hRestoreButtonActiveRect);
    v.rect("hrestorebuttondownrect", hRestoreButtonDownRect);
    v.rect("vrollbuttonrect", vRollButtonRect);
    v.rect("vrollbuttonactiverect", vRollButtonActiveRect);
    v.rect("vrollbuttondownrect", vRollButtonDownRect);
    v.rect("vrestorebuttonrect", vRestoreButtonRect);
    v.rect("vrestorebuttonactiverect", vRestoreButtonActiveRect);
    v.rect("vrestorebuttondownrect", vRestoreButtonDownRect);
    v.rect("captionrect", captionRect);
    FontKeys::fields(v);
    v.boolean("buttonstransparent", buttonsTransparent);
    v.color("buttonstransparentcolor", buttonsTransparentColor);
}

void CheckRadioControlKeys::fields(FieldVisitor& v)
{
    FontKeys::fields(v);
    v.color("activefontcolor", activeFontColor);
    v.color("unenabledfontcolor", unEnabledFontColor);
    v.color("framefontcolor", frameFontColor);
    v.rect("activeskinrect", activeSkinRect);
    v.rect("checkimagearea", checkImageArea);
    v.rect("textarea", textArea);
    v.rect("checkimagerect", checkImageRect);
    v.rect("uncheckimagerect", unCheckImageRect);
    v.rect("activecheckimagerect", activeCheckImageRect);
    v.rect("activeuncheckimagerect", activeUnCheckImageRect);
    v.rect("unenabledcheckimagerect", unEnabledCheckImageRect);
    v.rect("unenableduncheckimagerect", unEnabledUnCheckImageRect);
    v.rect("grayedcheckimagerect", grayedCheckImageRect);
    v.rect("activegrayedcheckimagerect", activeGrayedCheckImageRect);
    v.boolean("morphing", morphing);
    v.morphKind("morphkind", morphKind);
}

std::unique_ptr<DataSkinControl> createControlRecord(std::string_view type, std::string idName)
{
    using C = DataSkinControl;
    static constexpr RecordCreator<C> creators[] = {
        {"button", makeRecord<C, DataSkinButtonControl>},
        {"menubutton", makeRecord<C, DataSkinMenuButtonControl>},
        {"edit", makeRecord<C, DataSkinEditControl>},
        {"memo", makeRecord<C, DataSkinMemoControl>},
        {"panel", makeRecord<C, DataSkinPanelControl>},
        {"label", makeRecord<C, DataSkinLabelControl>},
        {"stdlabel", makeRecord<C, DataSkinStdLabelControl>},
        {"mainmenubar", makeRecord<C, DataSkinMainMenuBar>},
        {"updown", makeRecord<C, DataSkinUpDownControl>},
        {"listbox", makeRecord<C, DataSkinListBox>},
        {"checklistbox", makeRecord<C, DataSkinCheckListBox>},
        {"combobox", makeRecord<C, DataSkinComboBox>},
        {"appmenu", makeRecord<C, DataSkinAppMenu>},
        {"controlbar", makeRecord<C, DataSkinControlBar>},
        {"slider", makeRecord<C, DataSkinSlider>},
        {"bevel", makeRecord<C, DataSkinBevel>},
        {"treeview", makeRecord<C, DataSkinTreeView>},
        {"listview", makeRecord<C, DataSkinListView>},
        {"richedit", makeRecord<C, DataSkinRichEdit>},
        {"tab", makeRecord<C, DataSkinTabControl>},
        {"grid", makeRecord<C, DataSkinGridControl>},
        {"spinedit", makeRecord<C, DataSkinSpinEditControl>},
        {"scrollbar", makeRecord<C, DataSkinScrollBarControl>},
        {"trackbar", makeRecord<C, DataSkinTrackBarControl>},
        {"splitter", makeRecord<C, DataSkinSplitterControl>},
        {"gauge", makeRecord<C, DataSkinGaugeControl>},
        {"scrollbox", makeRecord<C, DataSkinScrollBoxControl>},
        {"expanel", makeRecord<C, DataSkinExPanelControl>},
        {"checkradio", makeRecord<C, DataSkinCheckRadioControl>},
    };
    return createFromTable(creators, type, std::move(idName));
}

} // namespace tessaly::skin
