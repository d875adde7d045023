#pragma once

#include "skin/data/skin_record.h"

namespace tessaly::skin {

// The control records: one per entry of the description's SKINCONTROLS
// section, created by type name (see createControlRecord). Each level of a
// record lists its own keys in a Keys struct (see RecordWith); the base's
// keys come first. Rectangles and points are in picture coordinates;
// picture indices name active pictures (-1: none).

// Key groups that several controls share.

// The up and down buttons of up-downs, lists, spin edits and scroll bars.
struct UpDownButtonKeys {
    Rect upButtonRect;
    Rect activeUpButtonRect;
    Rect downUpButtonRect;
    Rect downButtonRect;
    Rect activeDownButtonRect;
    Rect downDownButtonRect;
    void fields(FieldVisitor& v);
};

// The drop-down button of edits and combo boxes.
struct EditButtonKeys {
    Rect buttonRect;
    Rect activeButtonRect;
    Rect downButtonRect;
    Rect unEnabledButtonRect;
    void fields(FieldVisitor& v);
};

// The items of lists and combo boxes.
struct ItemKeys {
    Rect sItemRect;
    Rect activeItemRect;
    Rect focusItemRect;
    int itemLeftOffset;
    int itemRightOffset;
    Rect itemTextRect;
    void fields(FieldVisitor& v);
};

// The close button of tabs and rolling panels.
struct CloseButtonKeys {
    Rect closeButtonRect;
    Rect closeButtonActiveRect;
    Rect closeButtonDownRect;
    void fields(FieldVisitor& v);
};

// The base of every control record: the picture and the part of it that
// shows the control in its normal state; the mask picture has the same
// layout and its black pixels give the control's window region.
struct ControlKeys {
    int pictureIndex;
    int maskPictureIndex;
    Rect skinRect;
    void fields(FieldVisitor& v);
};
class DataSkinControl : public RecordWith<SkinRecord, ControlKeys> {
public:
    using RecordWith::RecordWith;
};

// Adds the nine-piece geometry: corner points and client rectangle,
// relative to the top-left corner of skinRect, and the stretch flags.
struct CustomControlKeys : CornerKeys, StretchKeys {
    Rect clRect;
    void fields(FieldVisitor& v);
};
class DataSkinCustomControl : public RecordWith<DataSkinControl, CustomControlKeys> {
public:
    using RecordWith::RecordWith;
};

// Push buttons and tool buttons.
struct ButtonControlKeys : FontKeys, AnimationKeys {
    Color activeFontColor;
    Color downFontColor;
    Color disabledFontColor;
    Rect activeSkinRect;
    Rect downSkinRect;
    Rect focusedSkinRect;
    Rect disabledSkinRect;
    bool morphing;
    MorphKind morphKind;
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
    void fields(FieldVisitor& v);
};
class DataSkinButtonControl : public RecordWith<DataSkinCustomControl, ButtonControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "button"; }
};

// Tool buttons with a drop-down menu.
struct MenuButtonControlKeys {
    Rect trackButtonRect;
    void fields(FieldVisitor& v);
};
class DataSkinMenuButtonControl : public RecordWith<DataSkinButtonControl, MenuButtonControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "menubutton"; }
};

// Edit fields.
struct EditControlKeys : FontKeys, EditButtonKeys {
    Rect activeSkinRect;
    Color disabledFontColor;
    Color activeFontColor;
    void fields(FieldVisitor& v);
};
class DataSkinEditControl : public RecordWith<DataSkinCustomControl, EditControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "edit"; }
};

// Multi-line edits.
struct MemoControlKeys {
    Color bgColor;
    Color activeBGColor;
    void fields(FieldVisitor& v);
};
class DataSkinMemoControl : public RecordWith<DataSkinEditControl, MemoControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "memo"; }
};

// Panels and status bars.
struct PanelControlKeys : FontKeys {
    int bgPictureIndex;
    Rect captionRect;
    Alignment alignment;
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
    void fields(FieldVisitor& v);
};
class DataSkinPanelControl : public RecordWith<DataSkinCustomControl, PanelControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "panel"; }
};

// Labels drawn on a skin face, such as status bar panels.
class DataSkinLabelControl : public RecordWith<DataSkinCustomControl, FontKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "label"; }
};

// Plain labels.
struct StdLabelControlKeys : FontKeys {
    Color activeFontColor;
    void fields(FieldVisitor& v);
};
class DataSkinStdLabelControl : public RecordWith<DataSkinControl, StdLabelControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "stdlabel"; }
};

// The main menu bar; the strings name its item and button object records.
struct MainMenuBarKeys {
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
    void fields(FieldVisitor& v);
};
class DataSkinMainMenuBar : public RecordWith<DataSkinControl, MainMenuBarKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "mainmenubar"; }
};

// Up-down buttons.
class DataSkinUpDownControl : public RecordWith<DataSkinCustomControl, UpDownButtonKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "updown"; }
};

// List boxes; the scroll bar names are other control records.
struct ListBoxKeys : ItemKeys, FontKeys, UpDownButtonKeys {
    Color activeFontColor;
    Color focusFontColor;
    Rect captionRect;
    std::string captionFontName;
    int captionFontHeight;
    FontStyle captionFontStyle;
    Color captionFontColor;
    Rect checkButtonRect;
    Rect activeCheckButtonRect;
    Rect downCheckButtonRect;
    std::string vScrollBarName;
    std::string hScrollBarName;
    std::string bothScrollBarName;
    bool showFocus;
    Rect disabledButtonsRect;
    Rect buttonsArea;
    void fields(FieldVisitor& v);
};
class DataSkinListBox : public RecordWith<DataSkinCustomControl, ListBoxKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "listbox"; }
};

// List boxes with check marks.
struct CheckListBoxKeys {
    Rect itemCheckRect;
    Rect checkImageRect;
    Rect unCheckImageRect;
    void fields(FieldVisitor& v);
};
class DataSkinCheckListBox : public RecordWith<DataSkinListBox, CheckListBoxKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "checklistbox"; }
};

// Combo boxes; listBoxName names another control record.
struct ComboBoxKeys : ItemKeys, FontKeys, EditButtonKeys {
    Rect activeSkinRect;
    Color focusFontColor;
    Color activeFontColor;
    std::string listBoxName;
    bool itemStretchEffect;
    bool focusItemStretchEffect;
    bool showFocus;
    void fields(FieldVisitor& v);
};
class DataSkinComboBox : public RecordWith<DataSkinCustomControl, ComboBoxKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "combobox"; }
};

// The application menu of a ribbon.
struct AppMenuKeys {
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
    void fields(FieldVisitor& v);
};
class DataSkinAppMenu : public RecordWith<DataSkinCustomControl, AppMenuKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "appmenu"; }
};

// Control bars.
struct ControlBarKeys {
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
    void fields(FieldVisitor& v);
};
class DataSkinControlBar : public RecordWith<DataSkinCustomControl, ControlBarKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "controlbar"; }
};

// Sliders.
struct SliderKeys {
    Color bgColor;
    int edgeSize;
    Color pointsColor;
    void fields(FieldVisitor& v);
};
class DataSkinSlider : public RecordWith<DataSkinControl, SliderKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "slider"; }
};

// Bevels.
struct BevelKeys {
    Color lightColor;
    Color darkColor;
    void fields(FieldVisitor& v);
};
class DataSkinBevel : public RecordWith<DataSkinControl, BevelKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "bevel"; }
};

// A font on a background colour: tree views, list views and rich edits.
struct FontOnColorKeys : FontKeys {
    Color bgColor;
    void fields(FieldVisitor& v);
};

// Tree views.
class DataSkinTreeView : public RecordWith<DataSkinControl, FontOnColorKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "treeview"; }
};

// List views.
class DataSkinListView : public RecordWith<DataSkinControl, FontOnColorKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "listview"; }
};

// Rich edits.
class DataSkinRichEdit : public RecordWith<DataSkinControl, FontOnColorKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "richedit"; }
};

// Tab controls; upDown names an up-down control record.
struct TabControlKeys : CornerKeys, StretchKeys, FontKeys, CloseButtonKeys {
    Rect tabRect;
    Rect activeTabRect;
    Rect focusTabRect;
    Rect mouseInTabRect;
    Rect clRect;
    int bgPictureIndex;
    int tabLeftOffset;
    int tabRightOffset;
    Rect tabsBGRect;
    bool tabStretchEffect;
    Color activeFontColor;
    Color focusFontColor;
    Color mouseInFontColor;
    std::string upDown;
    bool showFocus;
    int focusOffsetX;
    int focusOffsetY;
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
    void fields(FieldVisitor& v);
};
class DataSkinTabControl : public RecordWith<DataSkinControl, TabControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "tab"; }
};

// Grids.
struct GridControlKeys : FontKeys {
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
    Color selectFontColor;
    Color focusFontColor;
    std::string fixedFontName;
    int fixedFontHeight;
    FontStyle fixedFontStyle;
    Color fixedFontColor;
    bool cellStretchEffect;
    bool fixedCellStretchEffect;
    bool showFocus;
    void fields(FieldVisitor& v);
};
class DataSkinGridControl : public RecordWith<DataSkinControl, GridControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "grid"; }
};

// Spin edits.
struct SpinEditControlKeys : FontKeys, UpDownButtonKeys {
    Rect activeSkinRect;
    Color activeFontColor;
    Color disabledFontColor;
    void fields(FieldVisitor& v);
};
class DataSkinSpinEditControl : public RecordWith<DataSkinCustomControl, SpinEditControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "spinedit"; }
};

// Scroll bars.
struct ScrollBarControlKeys : UpDownButtonKeys {
    Rect trackArea;
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
    void fields(FieldVisitor& v);
};
class DataSkinScrollBarControl : public RecordWith<DataSkinCustomControl, ScrollBarControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "scrollbar"; }
};

// Track bars.
struct TrackBarControlKeys {
    Rect activeSkinRect;
    Rect trackArea;
    Rect buttonRect;
    Rect activeButtonRect;
    bool vertical;
    bool buttonTransparent;
    Color buttonTransparentColor;
    void fields(FieldVisitor& v);
};
class DataSkinTrackBarControl : public RecordWith<DataSkinCustomControl, TrackBarControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "trackbar"; }
};

// Splitters.
struct SplitterControlKeys {
    Rect gripperRect;
    bool gripperTransparent;
    Color gripperTransparentColor;
    void fields(FieldVisitor& v);
};
class DataSkinSplitterControl : public RecordWith<DataSkinCustomControl, SplitterControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "splitter"; }
};

// Progress gauges.
struct GaugeControlKeys : FontKeys {
    Rect progressArea;
    Rect progressRect;
    int beginOffset;
    int endOffset;
    bool vertical;
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
    void fields(FieldVisitor& v);
};
class DataSkinGaugeControl : public RecordWith<DataSkinCustomControl, GaugeControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "gauge"; }
};

// Scroll boxes.
struct ScrollBoxControlKeys {
    int bgPictureIndex;
    void fields(FieldVisitor& v);
};
class DataSkinScrollBoxControl : public RecordWith<DataSkinCustomControl, ScrollBoxControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "scrollbox"; }
};

// Panels that roll up.
struct ExPanelControlKeys : CloseButtonKeys, FontKeys {
    Rect rollHSkinRect;
    Rect rollVSkinRect;
    int rollLeftOffset;
    int rollRightOffset;
    int rollTopOffset;
    int rollBottomOffset;
    Rect rollVCaptionRect;
    Rect rollHCaptionRect;
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
    bool buttonsTransparent;
    Color buttonsTransparentColor;
    void fields(FieldVisitor& v);
};
class DataSkinExPanelControl : public RecordWith<DataSkinCustomControl, ExPanelControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "expanel"; }
};

// Check boxes and radio buttons.
struct CheckRadioControlKeys : FontKeys {
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
    void fields(FieldVisitor& v);
};
class DataSkinCheckRadioControl : public RecordWith<DataSkinCustomControl, CheckRadioControlKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "checkradio"; }
};

// The record class of a SKINCONTROLS type name (exact match), or null for a
// type that is not known.
std::unique_ptr<DataSkinControl> createControlRecord(std::string_view type, std::string idName);

} // namespace tessaly::skin
