#pragma once

#include "skin/data/skin_record.h"

namespace tessaly::skin {

// The object records: one per entry of the description's SKINOBJECTS
// section, created by type name (see createObjectRecord). Each record lists
// its keys, in reading order and with their defaults, in visitFields; a
// derived record visits its base's keys first. Rectangles are in picture
// coordinates; picture indices name active pictures (-1: none).

// The base of every object record: the parts of a window frame that react
// to the mouse or carry text.
class DataSkinObject : public SkinRecord {
public:
    explicit DataSkinObject(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;

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
class DataSkinButton : public DataSkinObject {
public:
    explicit DataSkinButton(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "button"; }

    Rect downRect;
    Rect disableSkinRect;
    int alphaMaskPictureIndex;
    int alphaMaskActivePictureIndex;
    int alphaMaskInActivePictureIndex;
};

// Caption buttons (close, maximise, minimise, roll-up, system menu,
// minimise to tray). After reading, an empty restoreHint becomes "Restore"
// for a "Maximize", "Minimize" or "RollUp"/"Roll Up" button of the
// matching command.
class DataSkinStdButton : public DataSkinButton {
public:
    explicit DataSkinStdButton(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "stdbutton"; }
    void loadFromFile(const SkinDescription& description) override;

    StdCommand command;
    Rect restoreRect;
    Rect restoreActiveRect;
    Rect restoreDownRect;
    Rect restoreInActiveRect;
    std::string restoreHint;
};

// The buttons of the main menu bar.
class DataSkinMainMenuBarButton : public DataSkinStdButton {
public:
    using DataSkinStdButton::DataSkinStdButton;
    std::string_view typeName() const override { return "mainmenubarbutton"; }
};

// Animated frame parts. Reading always leaves morphing false, and applies
// the restoreHint rule of the caption buttons.
class DataSkinAnimate : public DataSkinObject {
public:
    explicit DataSkinAnimate(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "animate"; }
    void loadFromFile(const SkinDescription& description) override;

    int countFrames;
    bool cycle;
    bool buttonStyle;
    int timerInterval;
    StdCommand command;
    Rect downSkinRect;
    Rect restoreRect;
    Rect restoreActiveRect;
    Rect restoreDownRect;
    Rect restoreInActiveRect;
    std::string restoreHint;
};

// Popup menu items.
class DataSkinMenuItem : public DataSkinObject {
public:
    explicit DataSkinMenuItem(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "menuitem"; }

    int itemLO;
    int itemRO;
    Rect dividerRect;
    int dividerLO;
    int dividerRO;
    Rect textRct;
    Rect imageRct;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color activeFontColor;
    Color unEnabledFontColor;
    bool stretchEffect;
    bool inActiveStretchEffect;
    bool dividerStretchEffect;
    Rect animateSkinRect;
    int frameCount;
    int animateInterval;
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
};

// The base of menu bar items.
class DataSkinMainMenuItem : public DataSkinObject {
public:
    explicit DataSkinMainMenuItem(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;

    int itemLO;
    int itemRO;
    Rect downRect;
    Rect textRct;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    Color activeFontColor;
    Color downFontColor;
    Color unEnabledFontColor;
    bool stretchEffect;
    Rect animateSkinRect;
    int frameCount;
    int animateInterval;
    bool inActiveAnimation;
};

// Items of the main menu bar.
class DataSkinMainMenuBarItem : public DataSkinMainMenuItem {
public:
    using DataSkinMainMenuItem::DataSkinMainMenuItem;
    std::string_view typeName() const override { return "mainmenubaritem"; }
};

// The caption of a window frame.
class DataSkinCaption : public DataSkinObject {
public:
    explicit DataSkinCaption(std::string idName = {});
    void visitFields(FieldVisitor& visitor) override;
    std::string_view typeName() const override { return "caption"; }

    Rect textRct;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
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
    Rect animateSkinRect;
    int frameCount;
    int animateInterval;
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
};

// The record class of a SKINOBJECTS type name (exact match), or null for a
// type that is not known.
std::unique_ptr<DataSkinObject> createObjectRecord(std::string_view type, std::string idName);

} // namespace tessaly::skin
