#pragma once

#include "skin/controls/popup_menu_opener.h"

#include <QRect>
#include <functional>

namespace tessaly::skin::test {

// A menu that stays open until the test closes it.
class FakeMenu : public PopupMenuOpener {
public:
    void popupFromRect(QWidget*, const QRect& rect, std::function<void()> closed) override
    {
        ++opened;
        openedAt = rect;
        m_closed = std::move(closed);
    }
    void close()
    {
        auto closed = std::move(m_closed);
        m_closed = nullptr;
        if (closed)
            closed();
    }
    int opened = 0;
    QRect openedAt;

private:
    std::function<void()> m_closed;
};

} // namespace tessaly::skin::test
