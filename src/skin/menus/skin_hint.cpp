#include "skin/menus/skin_hint.h"

#include "skin/menus/hint_source.h"

#include <QApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QTimerEvent>
#include <QWidget>

namespace tessaly::skin {

SkinHint::SkinHint(QObject* parent)
    : QObject(parent)
    , m_window(std::make_unique<SkinHintWindow>())
{
}

SkinHint::~SkinHint() { setActive(false); }

void SkinHint::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (!qApp)
        return;
    if (active)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool SkinHint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const QString text = widget->toolTip();
    auto* help = static_cast<QHelpEvent*>(event);
    if (text.isEmpty()) {
        hideHint();
        return false; // the widget's parents may have one
    }
    const QPoint at = help->globalPos() + QPoint(0, cursorHeightMargin());
    // A skinned control under the pointer adds its title and image.
    if (const auto* source = dynamic_cast<const HintSource*>(widget))
        activateHintEx(at, source->hintTitle(), text, source->hintImage());
    else
        activateHint(at, text);
    m_timer.start(m_hintHidePause, this);
    return true;
}

void SkinHint::activateHint(const QPoint& at, const QString& hint)
{
    m_timer.stop();
    m_showing = false;
    m_window->activateHint(at, hint, m_look);
}

void SkinHint::activateHintEx(const QPoint& at, const QString& title, const QString& hint, const Bitmap& image)
{
    m_timer.stop();
    m_showing = false;
    m_window->activateHintEx(at, {hint, title, image}, m_look);
}

void SkinHint::activateHintEx2(const QString& title, const QString& hint, const Bitmap& image)
{
    m_fromRect = false;
    startPause({hint, title, image});
}

void SkinHint::startPause(HintContent content)
{
    m_pending = std::move(content);
    m_showing = true;
    m_timer.start(m_hintPause, this);
}

void SkinHint::activateHint2(const QString& hint)
{
    m_fromRect = false;
    startPause({hint, {}, {}});
}

void SkinHint::activateHint3(const Rect& fromRect, const QString& hint, bool top)
{
    m_fromRect = true;
    m_rect = fromRect;
    m_top = top;
    startPause({hint, {}, {}});
}

void SkinHint::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId())
        return;
    if (!m_showing) {
        hideHint();
        return;
    }
    m_showing = false;
    if (m_fromRect)
        m_window->activateHintFromRect(m_rect, m_pending.text, m_look, m_top);
    else
        m_window->activateHintEx(QCursor::pos() + QPoint(0, cursorHeightMargin()), m_pending, m_look);
    m_timer.start(m_hintHidePause, this);
}

bool SkinHint::isVisible() const { return m_window->isVisible(); }

void SkinHint::hideHint()
{
    m_timer.stop();
    m_showing = false;
    m_window->hideHint();
}

int SkinHint::cursorHeightMargin() const
{
    // The pointer's image is not readable through Qt; the visible part of
    // the usual arrow pointer is about this tall.
    return 20;
}

} // namespace tessaly::skin
