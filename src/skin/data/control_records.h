#pragma once

#include "skin/data/skin_record.h"

namespace tessaly::skin {

// The control records: one per entry of the description's SKINCONTROLS
// section, created by type name (see createControlRecord). Each record
// lists its keys, in reading order and with their defaults, in
// visitFields; a derived record visits its base's keys first.
// Rectangles and points are in picture coordinates; picture indices name
// active pictures (-1: none).

// The base of every control record: the picture and the part of it that
// shows the control in its normal state; the mask picture has the same
// layout and its black pixels give the control's window region.
class DataSkinControl : public SkinRecord {
public:
    explicit DataSkinControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;

    int pictureIndex;
    int maskPictureIndex;
    Rect skinRect;
};

// Adds the nine-piece geometry: corner points and client rectangle,
// relative to the top-left corner of skinRect, and the stretch flags.
class DataSkinCustomControl : public DataSkinControl {
public:
    explicit DataSkinCustomControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;

    Point ltPoint;
    Point rtPoint;
    Point lbPoint;
    Point rbPoint;
    Rect clRect;
    bool leftStretch;
    bool topStretch;
    bool rightStretch;
    bool bottomStretch;
    bool stretchEffect;
    StretchType stretchType;
};

// Push buttons and tool buttons.
class DataSkinButtonControl : public DataSkinCustomControl {
public:
    explicit DataSkinButtonControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "button"; }

    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color activeFontColor;
    Color downFontColor;
    Color disabledFontColor;
    Rect activeSkinRect;
    Rect downSkinRect;
    Rect focusedSkinRect;
    Rect disabledSkinRect;
    bool morphing;
    MorphKind morphKind;
    Rect animateSkinRect;
    int frameCount;
    int animateInterval;
    bool showFocus;
    Rect menuMarkerFlatRect;
    Rect menuMarkerRect;
    Rect menuMarkerActiveRect;
    Rect menuMarkerDownRect;
    Color menuMarkerTransparentColor;
    int glowLayerPictureIndex;
    int glowLayerMaskPictureIndex;
    int glowLayerOffsetLeft;
    int glowLayerOffsetTop;
    int glowLayerOffsetRight;
    int glowLayerOffsetBottom;
    int glowLayerShowOffsetX;
    int glowLayerShowOffsetY;
    int glowLayerAlphaBlendValue;
};

// Tool buttons with a drop-down menu.
class DataSkinMenuButtonControl : public DataSkinButtonControl {
public:
    explicit DataSkinMenuButtonControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "menubutton"; }

    Rect trackButtonRect;
};

// Edit fields.
class DataSkinEditControl : public DataSkinCustomControl {
public:
    explicit DataSkinEditControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "edit"; }

    Rect activeSkinRect;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color disabledFontColor;
    Color activeFontColor;
    Rect buttonRect;
    Rect activeButtonRect;
    Rect downButtonRect;
    Rect unEnabledButtonRect;
};

// Multi-line edits.
class DataSkinMemoControl : public DataSkinEditControl {
public:
    explicit DataSkinMemoControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "memo"; }

    Color bgColor;
    Color activeBGColor;
};

// Panels and status bars.
class DataSkinPanelControl : public DataSkinCustomControl {
public:
    explicit DataSkinPanelControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "panel"; }

    int bgPictureIndex;
    Rect captionRect;
    Alignment alignment;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Rect checkImageRect;
    Rect unCheckImageRect;
    Rect markFrameRect;
    Rect frameRect;
    Rect frameTextRect;
    int frameLeftOffset;
    int frameRightOffset;
    Rect gripperRect;
    bool gripperTransparent;
    Color gripperTransparentColor;
    Rect buttonRect;
    Rect buttonActiveRect;
    Rect buttonDownRect;
    bool buttonTransparent;
    Color buttonTransparentColor;
};

// Labels drawn on a skin face, such as status bar panels.
class DataSkinLabelControl : public DataSkinCustomControl {
public:
    explicit DataSkinLabelControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "label"; }

    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
};

// Plain labels.
class DataSkinStdLabelControl : public DataSkinControl {
public:
    explicit DataSkinStdLabelControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "stdlabel"; }

    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color activeFontColor;
};

// The main menu bar; the strings name its item and button object records.
class DataSkinMainMenuBar : public DataSkinControl {
public:
    explicit DataSkinMainMenuBar(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "mainmenubar"; }

    Rect itemsRect;
    std::string menuBarItem;
    std::string closeButton;
    std::string minButton;
    std::string maxButton;
    std::string sysMenuButton;
    Color trackMarkColor;
    Color trackMarkActiveColor;
    bool stretchEffect;
    bool itemTransparent;
};

// Up-down buttons.
class DataSkinUpDownControl : public DataSkinCustomControl {
public:
    explicit DataSkinUpDownControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "updown"; }

    Rect upButtonRect;
    Rect activeUpButtonRect;
    Rect downUpButtonRect;
    Rect downButtonRect;
    Rect activeDownButtonRect;
    Rect downDownButtonRect;
};

// List boxes; the scroll bar names are other control records.
class DataSkinListBox : public DataSkinCustomControl {
public:
    explicit DataSkinListBox(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "listbox"; }

    Rect sItemRect;
    Rect activeItemRect;
    Rect focusItemRect;
    int itemLeftOffset;
    int itemRightOffset;
    Rect itemTextRect;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color activeFontColor;
    Color focusFontColor;
    Rect captionRect;
    std::string captionFontName;
    int captionFontHeight;
    FontStyle captionFontStyle;
    Color captionFontColor;
    Rect upButtonRect;
    Rect activeUpButtonRect;
    Rect downUpButtonRect;
    Rect downButtonRect;
    Rect activeDownButtonRect;
    Rect downDownButtonRect;
    Rect checkButtonRect;
    Rect activeCheckButtonRect;
    Rect downCheckButtonRect;
    std::string vScrollBarName;
    std::string hScrollBarName;
    std::string bothScrollBarName;
    bool showFocus;
    Rect disabledButtonsRect;
    Rect buttonsArea;
};

// List boxes with check marks.
class DataSkinCheckListBox : public DataSkinListBox {
public:
    explicit DataSkinCheckListBox(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "checklistbox"; }

    Rect itemCheckRect;
    Rect checkImageRect;
    Rect unCheckImageRect;
};

// Combo boxes; listBoxName names another control record.
class DataSkinComboBox : public DataSkinCustomControl {
public:
    explicit DataSkinComboBox(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "combobox"; }

    Rect activeSkinRect;
    Rect sItemRect;
    Rect activeItemRect;
    Rect focusItemRect;
    int itemLeftOffset;
    int itemRightOffset;
    Rect itemTextRect;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color focusFontColor;
    Color activeFontColor;
    std::string listBoxName;
    Rect buttonRect;
    Rect activeButtonRect;
    Rect downButtonRect;
    Rect unEnabledButtonRect;
    bool itemStretchEffect;
    bool focusItemStretchEffect;
    bool showFocus;
};

// The application menu of a ribbon.
class DataSkinAppMenu : public DataSkinCustomControl {
public:
    explicit DataSkinAppMenu(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "appmenu"; }

    int bgPictureIndex;
    bool bgStretchEffect;
    Rect itemRect;
    Rect pageItemRect;
    Rect pageItemActiveRect;
    int itemOffset1;
    int itemOffset2;
    int pageItemOffset1;
    int pageItemOffset2;
    int pageOffset;
    std::string fontName;
    int fontHeight;
    int fontPageHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color disabledFontColor;
    Color activeFontColor;
    Color fontPageColor;
    Color activeFontPageColor;
    Rect gripperRect;
    Color gripperTransparentColor;
};

// Control bars.
class DataSkinControlBar : public DataSkinCustomControl {
public:
    explicit DataSkinControlBar(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "controlbar"; }

    Rect itemRect;
    int bgPictureIndex;
    Rect hGripRect;
    Rect vGripRect;
    int gripOffset1;
    int gripOffset2;
    bool itemStretchEffect;
    int itemOffset1;
    int itemOffset2;
    bool itemTransparent;
    Color itemTransparentColor;
    bool gripTransparent;
    Color gripTransparentColor;
};

// Sliders.
class DataSkinSlider : public DataSkinControl {
public:
    explicit DataSkinSlider(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "slider"; }

    Color bgColor;
    int edgeSize;
    Color pointsColor;
};

// Bevels.
class DataSkinBevel : public DataSkinControl {
public:
    explicit DataSkinBevel(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "bevel"; }

    Color lightColor;
    Color darkColor;
};

// Tree views.
class DataSkinTreeView : public DataSkinControl {
public:
    explicit DataSkinTreeView(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "treeview"; }

    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color bgColor;
};

// List views.
class DataSkinListView : public DataSkinControl {
public:
    explicit DataSkinListView(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "listview"; }

    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color bgColor;
};

// Rich edits.
class DataSkinRichEdit : public DataSkinControl {
public:
    explicit DataSkinRichEdit(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "richedit"; }

    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color bgColor;
};

// Tab controls; upDown names an up-down control record.
class DataSkinTabControl : public DataSkinControl {
public:
    explicit DataSkinTabControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "tab"; }

    Rect tabRect;
    Rect activeTabRect;
    Rect focusTabRect;
    Rect mouseInTabRect;
    Rect clRect;
    int bgPictureIndex;
    Point ltPoint;
    Point rtPoint;
    Point lbPoint;
    Point rbPoint;
    int tabLeftOffset;
    int tabRightOffset;
    Rect tabsBGRect;
    bool tabStretchEffect;
    bool leftStretch;
    bool topStretch;
    bool rightStretch;
    bool bottomStretch;
    bool stretchEffect;
    StretchType stretchType;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color activeFontColor;
    Color focusFontColor;
    Color mouseInFontColor;
    std::string upDown;
    bool showFocus;
    int focusOffsetX;
    int focusOffsetY;
    Rect closeButtonRect;
    Rect closeButtonActiveRect;
    Rect closeButtonDownRect;
    bool buttonTransparent;
    Color buttonTransparentColor;
    Rect dividerRect;
    bool dividerTransparent;
    Color dividerTransparentColor;
    Rect mdiCloseRect;
    Rect mdiCloseActiveRect;
    Rect mdiCloseDownRect;
    Rect mdiRestoreRect;
    Rect mdiRestoreActiveRect;
    Rect mdiRestoreDownRect;
    Rect mdiMinRect;
    Rect mdiMinActiveRect;
    Rect mdiMinDownRect;
    bool mdiButtonsTransparent;
    Color mdiButtonsTransparentColor;
};

// Grids.
class DataSkinGridControl : public DataSkinControl {
public:
    explicit DataSkinGridControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "grid"; }

    Rect fixedCellRect;
    Rect selectCellRect;
    Rect focusCellRect;
    int fixedCellLeftOffset;
    int fixedCellRightOffset;
    Rect fixedCellTextRect;
    int cellLeftOffset;
    int cellRightOffset;
    Rect cellTextRect;
    int bgPictureIndex;
    Color linesColor;
    Color bgColor;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color selectFontColor;
    Color focusFontColor;
    std::string fixedFontName;
    int fixedFontHeight;
    FontStyle fixedFontStyle;
    Color fixedFontColor;
    bool cellStretchEffect;
    bool fixedCellStretchEffect;
    bool showFocus;
};

// Spin edits.
class DataSkinSpinEditControl : public DataSkinCustomControl {
public:
    explicit DataSkinSpinEditControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "spinedit"; }

    Rect activeSkinRect;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color activeFontColor;
    Color disabledFontColor;
    Rect upButtonRect;
    Rect activeUpButtonRect;
    Rect downUpButtonRect;
    Rect downButtonRect;
    Rect activeDownButtonRect;
    Rect downDownButtonRect;
};

// Scroll bars.
class DataSkinScrollBarControl : public DataSkinCustomControl {
public:
    explicit DataSkinScrollBarControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "scrollbar"; }

    Rect trackArea;
    Rect upButtonRect;
    Rect activeUpButtonRect;
    Rect downUpButtonRect;
    Rect downButtonRect;
    Rect activeDownButtonRect;
    Rect downDownButtonRect;
    Rect thumbRect;
    Rect activeThumbRect;
    Rect downThumbRect;
    int thumbOffset1;
    int thumbOffset2;
    bool thumbTransparent;
    Color thumbTransparentColor;
    bool thumbStretchEffect;
    int thumbMinSize;
    int thumbMinPageSize;
    Rect glyphRect;
    Rect activeGlyphRect;
    Rect downGlyphRect;
    bool glyphTransparent;
    Color glyphTransparentColor;
};

// Track bars.
class DataSkinTrackBarControl : public DataSkinCustomControl {
public:
    explicit DataSkinTrackBarControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "trackbar"; }

    Rect activeSkinRect;
    Rect trackArea;
    Rect buttonRect;
    Rect activeButtonRect;
    bool vertical;
    bool buttonTransparent;
    Color buttonTransparentColor;
};

// Splitters.
class DataSkinSplitterControl : public DataSkinCustomControl {
public:
    explicit DataSkinSplitterControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "splitter"; }

    Rect gripperRect;
    bool gripperTransparent;
    Color gripperTransparentColor;
};

// Progress gauges.
class DataSkinGaugeControl : public DataSkinCustomControl {
public:
    explicit DataSkinGaugeControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "gauge"; }

    Rect progressArea;
    Rect progressRect;
    int beginOffset;
    int endOffset;
    bool vertical;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    bool progressTransparent;
    Color progressTransparentColor;
    bool progressStretch;
    Rect animationSkinRect;
    int animationCountFrames;
    int animationTimerInterval;
    Rect progressAnimationSkinRect;
    int progressAnimationCountFrames;
    int progressAnimationTimerInterval;
    int animationBeginOffset;
    int animationEndOffset;
};

// Scroll boxes.
class DataSkinScrollBoxControl : public DataSkinCustomControl {
public:
    explicit DataSkinScrollBoxControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "scrollbox"; }

    int bgPictureIndex;
};

// Panels that roll up.
class DataSkinExPanelControl : public DataSkinCustomControl {
public:
    explicit DataSkinExPanelControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "expanel"; }

    Rect rollHSkinRect;
    Rect rollVSkinRect;
    int rollLeftOffset;
    int rollRightOffset;
    int rollTopOffset;
    int rollBottomOffset;
    Rect rollVCaptionRect;
    Rect rollHCaptionRect;
    Rect closeButtonRect;
    Rect closeButtonActiveRect;
    Rect closeButtonDownRect;
    Rect hRollButtonRect;
    Rect hRollButtonActiveRect;
    Rect hRollButtonDownRect;
    Rect hRestoreButtonRect;
    Rect hRestoreButtonActiveRect;
    Rect hRestoreButtonDownRect;
    Rect vRollButtonRect;
    Rect vRollButtonActiveRect;
    Rect vRollButtonDownRect;
    Rect vRestoreButtonRect;
    Rect vRestoreButtonActiveRect;
    Rect vRestoreButtonDownRect;
    Rect captionRect;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    bool buttonsTransparent;
    Color buttonsTransparentColor;
};

// Check boxes and radio buttons.
class DataSkinCheckRadioControl : public DataSkinCustomControl {
public:
    explicit DataSkinCheckRadioControl(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "checkradio"; }

    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color activeFontColor;
    Color unEnabledFontColor;
    Color frameFontColor;
    Rect activeSkinRect;
    Rect checkImageArea;
    Rect textArea;
    Rect checkImageRect;
    Rect unCheckImageRect;
    Rect activeCheckImageRect;
    Rect activeUnCheckImageRect;
    Rect unEnabledCheckImageRect;
    Rect unEnabledUnCheckImageRect;
    Rect grayedCheckImageRect;
    Rect activeGrayedCheckImageRect;
    bool morphing;
    MorphKind morphKind;
};

// The record class of a SKINCONTROLS type name (exact match), or null for a
// type that is not known.
std::unique_ptr<DataSkinControl> createControlRecord(std::string_view type, std::string idName);

} // namespace tessaly::skin
