#pragma once

#include "skin/data/skin_fields.h"

namespace tessaly::skin {

// The records of popup menus, hint windows and the layered border. The
// registry creates each once and reloads it in place; the section names are
// fixed.

// The frame of popup menus, section POPUPWINDOW. itemsRect plays the part
// of the client rectangle; points and itemsRect are relative to the window
// picture's top-left corner.
struct PopupWindowKeys : CornerKeys, WindowStretchKeys {
    static constexpr const char* kSection = "POPUPWINDOW";

    int windowPictureIndex;
    int maskPictureIndex;
    Rect itemsRect;
    Color scrollMarkerColor;
    Color scrollMarkerActiveColor;
    void fields(FieldVisitor& v);
};
class DataSkinPopupWindow : public SectionRecord<PopupWindowKeys> {};

// The frame of hint windows, section HINTWINDOW.
struct HintWindowKeys : CornerKeys, FontKeys, WindowStretchKeys {
    static constexpr const char* kSection = "HINTWINDOW";

    int windowPictureIndex;
    int maskPictureIndex;
    Rect clRect;
    void fields(FieldVisitor& v);
};
class DataSkinHintWindow : public SectionRecord<HintWindowKeys> {};

// The layered outer border, section LAYERFRAME. A pictureIndex of -1 means
// the skin has no layered frame.
struct LayerFrameKeys : CornerKeys {
    static constexpr const char* kSection = "LAYERFRAME";

    int pictureIndex;
    int maskPictureIndex;
    int inActivePictureIndex;
    int inActiveMaskPictureIndex;
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
    void fields(FieldVisitor& v);
};
class DataSkinLayerFrame : public SectionRecord<LayerFrameKeys> {};

} // namespace tessaly::skin
