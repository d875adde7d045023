#include "skin/controls/edit_side_parts.h"

#include "skin/controls/image_list.h"

namespace tessaly::skin {

namespace {
bool inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
} // namespace

void EditSideParts::layout(const Rect& textArea, const Rect& buttonRect)
{
    m_button = buttonMode ? buttonRect : Rect{};
    const int w = images ? images->width() : 0;
    m_left = images && images->has(left.normal) ? Rect{textArea.left, textArea.top, textArea.left + w, textArea.bottom}
                                               : Rect{};
    m_right = images && images->has(right.normal)
                  ? Rect{textArea.right - w, textArea.top, textArea.right, textArea.bottom}
                  : Rect{};
}

Rect EditSideParts::lineRect(const Rect& textArea) const
{
    Rect r = textArea;
    // Two pixels keep the text off a side image.
    if (!m_left.isEmpty())
        r.left = m_left.right + 2;
    if (!m_right.isEmpty())
        r.right = m_right.left - 2;
    if (r.right < r.left)
        r.right = r.left;
    return r;
}

EditPart EditSideParts::partAt(int x, int y) const
{
    if (!m_button.isEmpty() && inside(m_button, x, y))
        return EditPart::Button;
    if (!m_left.isEmpty() && inside(m_left, x, y))
        return EditPart::LeftImage;
    if (!m_right.isEmpty() && inside(m_right, x, y))
        return EditPart::RightImage;
    return EditPart::None;
}

int EditSideParts::imageIndex(EditPart side) const
{
    const SideImage& s = side == EditPart::LeftImage ? left : right;
    if (!images)
        return -1;
    if (pressed(side) && images->has(s.down))
        return s.down;
    if (m_hot == side && images->has(s.hot))
        return s.hot;
    return s.normal;
}

bool EditSideParts::move(int x, int y)
{
    const EditPart now = partAt(x, y);
    if (now == m_hot)
        return false;
    m_hot = now;
    return true;
}

bool EditSideParts::leave()
{
    const bool changed = m_hot != EditPart::None || m_held != EditPart::None;
    m_hot = m_held = EditPart::None;
    return changed;
}

bool EditSideParts::press(int x, int y)
{
    m_hot = m_held = partAt(x, y);
    return m_held != EditPart::None;
}

EditPart EditSideParts::release(int x, int y)
{
    const EditPart was = m_held;
    m_held = EditPart::None;
    m_hot = partAt(x, y);
    return was != EditPart::None && was == m_hot ? was : EditPart::None;
}

} // namespace tessaly::skin
