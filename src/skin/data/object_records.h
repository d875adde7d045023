#pragma once

#include "skin/data/skin_record.h"

namespace tessaly::skin {

// The object records: one per entry of the description's SKINOBJECTS
// section, created by type name (see createObjectRecord). Each level of a
// record lists its own keys in a Keys struct (see RecordWith); the base's
// keys come first. Rectangles are in picture coordinates; picture indices
// name active pictures (-1: none).

// The second-state pictures of caption buttons and animations.
struct RestoreKeys {
    Rect restoreRect;
    Rect restoreActiveRect;
    Rect restoreDownRect;
    Rect restoreInActiveRect;
    std::string restoreHint;
    void fields(FieldVisitor& v);
};

// The base of every object record: the parts of a window frame that react
// to the mouse or carry text.
struct ObjectKeys {
    std::string hint;
    int activePictureIndex;
    int activeMaskPictureIndex;
    bool skinRectInAPicture;
    Rect skinRect;
    Rect activeSkinRect;
    Rect inActiveSkinRect;
    bool morphing;
    MorphKind morphKind;
    int glowLayerPictureIndex;
    int glowLayerMaskPictureIndex;
    int glowLayerOffsetX;
    int glowLayerOffsetY;
    int glowLayerAlphaBlendValue;
    void fields(FieldVisitor& v);
};
class DataSkinObject : public RecordWith<SkinRecord, ObjectKeys> {
public:
    using RecordWith::RecordWith;
};

// A plain picture part: reads and writes only "skinrect"; its other fields
// keep the values they were created with.
class DataUserObject : public DataSkinObject {
public:
    using DataSkinObject::DataSkinObject;
    std::string_view typeName() const override { return "userobject"; }
    void visitFields(FieldVisitor& visitor) override;
};

// Frame buttons.
struct ButtonKeys {
    Rect downRect;
    Rect disableSkinRect;
    int alphaMaskPictureIndex;
    int alphaMaskActivePictureIndex;
    int alphaMaskInActivePictureIndex;
    void fields(FieldVisitor& v);
};
class DataSkinButton : public RecordWith<DataSkinObject, ButtonKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "button"; }
};

// Caption buttons (close, maximise, minimise, roll-up, system menu,
// minimise to tray). After reading, an empty restoreHint becomes "Restore"
// for a "Maximize", "Minimize" or "RollUp"/"Roll Up" button of the
// matching command.
struct StdButtonKeys : RestoreKeys {
    StdCommand command;
    void fields(FieldVisitor& v);
};
class DataSkinStdButton : public RecordWith<DataSkinButton, StdButtonKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "stdbutton"; }
    void loadFromFile(const SkinDescription& description) override;
};

// The buttons of the main menu bar.
class DataSkinMainMenuBarButton : public DataSkinStdButton {
public:
    using DataSkinStdButton::DataSkinStdButton;
    std::string_view typeName() const override { return "mainmenubarbutton"; }
};

// Animated frame parts. Reading always leaves morphing false, and applies
// the restoreHint rule of the caption buttons.
struct AnimateKeys : RestoreKeys {
    int countFrames;
    bool cycle;
    bool buttonStyle;
    int timerInterval;
    StdCommand command;
    Rect downSkinRect;
    void fields(FieldVisitor& v);
};
class DataSkinAnimate : public RecordWith<DataSkinObject, AnimateKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "animate"; }
    void loadFromFile(const SkinDescription& description) override;
};

// Popup menu items.
struct MenuItemKeys : FontKeys, AnimationKeys {
    int itemLO;
    int itemRO;
    Rect dividerRect;
    int dividerLO;
    int dividerRO;
    Rect textRct;
    Rect imageRct;
    Color activeFontColor;
    Color unEnabledFontColor;
    bool stretchEffect;
    bool inActiveStretchEffect;
    bool dividerStretchEffect;
    bool inActiveAnimation;
    bool useImageColor;
    Color imageColor;
    Color activeImageColor;
    bool inActiveTransparent;
    Rect checkImageRect;
    Rect activeCheckImageRect;
    Rect radioImageRect;
    Rect activeRadioImageRect;
    Rect arrowImageRect;
    Rect activeArrowImageRect;
    void fields(FieldVisitor& v);
};
class DataSkinMenuItem : public RecordWith<DataSkinObject, MenuItemKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "menuitem"; }
};

// The base of menu bar items.
struct MainMenuItemKeys : FontKeys, AnimationKeys {
    int itemLO;
    int itemRO;
    Rect downRect;
    Rect textRct;
    Color activeFontColor;
    Color downFontColor;
    Color unEnabledFontColor;
    bool stretchEffect;
    bool inActiveAnimation;
    void fields(FieldVisitor& v);
};
class DataSkinMainMenuItem : public RecordWith<DataSkinObject, MainMenuItemKeys> {
public:
    using RecordWith::RecordWith;
};

// Items of the main menu bar.
class DataSkinMainMenuBarItem : public DataSkinMainMenuItem {
public:
    using DataSkinMainMenuItem::DataSkinMainMenuItem;
    std::string_view typeName() const override { return "mainmenubaritem"; }
};

// The caption of a window frame.
struct CaptionKeys : FontKeys, AnimationKeys {
    Rect textRct;
    Color activeFontColor;
    Alignment alignment;
    bool light;
    Color lightColor;
    Color activeLightColor;
    bool shadow;
    Color shadowColor;
    Color activeShadowColor;
    Rect frameRect;
    Rect activeFrameRect;
    Rect frameTextRect;
    int frameLeftOffset;
    int frameRightOffset;
    bool stretchEffect;
    bool inActiveAnimation;
    bool fullFrame;
    bool vistaGlowEffect;
    bool vistaGlowInActiveEffect;
    bool glowEffect;
    bool glowInActiveEffect;
    int glowSize;
    Color glowColor;
    Color glowActiveColor;
    int glowOffset;
    bool reflectionEffect;
    Color reflectionColor;
    Color reflectionActiveColor;
    int reflectionOffset;
    Rect dividerRect;
    bool dividerTransparent;
    Color dividerTransparentColor;
    void fields(FieldVisitor& v);
};
class DataSkinCaption : public RecordWith<DataSkinObject, CaptionKeys> {
public:
    using RecordWith::RecordWith;
    std::string_view typeName() const override { return "caption"; }
};

// The record class of a SKINOBJECTS type name (exact match), or null for a
// type that is not known.
std::unique_ptr<DataSkinObject> createObjectRecord(std::string_view type, std::string idName);

} // namespace tessaly::skin
