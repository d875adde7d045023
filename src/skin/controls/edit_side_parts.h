#pragma once

// The parts of a skinned edit beside its text: the side button and the
// left and right side images. Where they lie for the edit's size, which
// one the pointer is over, which is held, and which click a release gives.
// Plain C++: the edit draws them and feeds it the pointer.

#include "skin/data/geometry.h"

namespace tessaly::skin {

class ImageList;

enum class EditPart { None, Button, LeftImage, RightImage };

class EditSideParts {
public:
    // The picture indexes of a side image in the edit's image list (-1:
    // none); the hot and pressed ones are shown only when present.
    struct SideImage {
        int normal = -1;
        int hot = -1;
        int down = -1;
    };

    bool buttonMode = false;
    const ImageList* images = nullptr;
    SideImage left;
    SideImage right;

    // Places the image areas at the ends of the text area (each as wide as
    // the list's pictures, only for a present image) and takes the button's
    // rectangle as given.
    void layout(const Rect& textArea, const Rect& buttonRect);
    const Rect& buttonRect() const { return m_button; }
    const Rect& leftArea() const { return m_left; }
    const Rect& rightArea() const { return m_right; }
    // What is left of the text area for the text itself.
    Rect lineRect(const Rect& textArea) const;

    EditPart partAt(int x, int y) const;
    EditPart hot() const { return m_hot; }
    EditPart held() const { return m_held; }
    bool pressed(EditPart part) const { return m_held == part && m_hot == part; }
    // The picture a side image shows now: pressed, hot or normal.
    int imageIndex(EditPart side) const;

    // Pointer events; each answers whether anything shown changed.
    bool move(int x, int y);
    bool leave();
    // True when the press fell on a part (the edit takes it).
    bool press(int x, int y);
    // The part clicked: released over the part that was pressed.
    EditPart release(int x, int y);

private:
    Rect m_button;
    Rect m_left;
    Rect m_right;
    EditPart m_hot = EditPart::None;
    EditPart m_held = EditPart::None;
};

} // namespace tessaly::skin
