#pragma once

#include "skin/data/skin_fields.h"

namespace tessaly::skin {

// The records of popup menus, hint windows and the layered border. The
// registry creates each once and reloads it in place; the section names are
// fixed.

// The frame of popup menus, section POPUPWINDOW. itemsRect plays the part
// of the client rectangle; points and itemsRect are relative to the window
// picture's top-left corner.
class DataSkinPopupWindow : public FieldRecord {
public:
    static constexpr const char* kSection = "POPUPWINDOW";

    DataSkinPopupWindow();
    void visitFields(FieldVisitor& visitor) override;
    // Reads every key of the section; missing keys give their defaults.
    void loadFromFile(const SkinDescription& description) { readSection(description, kSection); }
    void saveToFile(SkinDescription& description) const { writeSection(description, kSection); }

    int windowPictureIndex;
    int maskPictureIndex;
    Point ltPoint;
    Point rtPoint;
    Point lbPoint;
    Point rbPoint;
    Rect itemsRect;
    Color scrollMarkerColor;
    Color scrollMarkerActiveColor;
    bool leftStretch;
    bool rightStretch;
    bool topStretch;
    bool bottomStretch;
    bool stretchEffect;
    StretchType stretchType;
};

// The frame of hint windows, section HINTWINDOW.
class DataSkinHintWindow : public FieldRecord {
public:
    static constexpr const char* kSection = "HINTWINDOW";

    DataSkinHintWindow();
    void visitFields(FieldVisitor& visitor) override;
    // Reads every key of the section; missing keys give their defaults.
    void loadFromFile(const SkinDescription& description) { readSection(description, kSection); }
    void saveToFile(SkinDescription& description) const { writeSection(description, kSection); }

    int windowPictureIndex;
    int maskPictureIndex;
    Point ltPoint;
    Point rtPoint;
    Point lbPoint;
    Point rbPoint;
    Rect clRect;
    std::string fontName;
    int fontHeight;
    FontStyle fontStyle;
    Color fontColor;
    bool leftStretch;
    bool rightStretch;
    bool topStretch;
    bool bottomStretch;
    bool stretchEffect;
    StretchType stretchType;
};

// The layered outer border, section LAYERFRAME. A pictureIndex of -1 means
// the skin has no layered frame.
class DataSkinLayerFrame : public FieldRecord {
public:
    static constexpr const char* kSection = "LAYERFRAME";

    DataSkinLayerFrame();
    void visitFields(FieldVisitor& visitor) override;
    // Reads every key of the section; missing keys give their defaults.
    void loadFromFile(const SkinDescription& description) { readSection(description, kSection); }
    void saveToFile(SkinDescription& description) const { writeSection(description, kSection); }

    int pictureIndex;
    int maskPictureIndex;
    int inActivePictureIndex;
    int inActiveMaskPictureIndex;
    Point ltPoint;
    Point rtPoint;
    Point lbPoint;
    Point rbPoint;
    Rect clRect;
    int alphaBlendValue;
    int inActiveAlphaBlendValue;
    Rect borderRect;
    bool hitTestEnable;
    bool fullBorder;
    int hitTestSize;
    Rect captionRect;
    Point hitTestLTPoint;
    Point hitTestRTPoint;
    Point hitTestLBPoint;
    Point hitTestRBPoint;
    Rect buttonsRect;
    Rect sysMenuButtonRect;
    bool fullStretch;
    int rollUpFormHeight;
    int buttonsTopOffset;
    int sysButtonTopOffset;
    int blurMaskPictureIndex;
    Rect intersectBlurMaskRect;
    Rect excludeBlurMaskRect;
    int leftOffset;
    int topOffset;
    int widthOffset;
    int heightOffset;
};

} // namespace tessaly::skin
