#include "control_shots.h"

#include "skin/controls/popup_menu_opener.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_link_label.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_std_label.h"
#include "skin/data/skin_data.h"

#include <QCoreApplication>
#include <QMouseEvent>

using namespace tessaly::skin;

namespace skinsheet {

namespace {

// The widgets only read the registry.
SkinData* bound(const SkinData& sd) { return const_cast<SkinData*>(&sd); }

void hover(QWidget& w)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&w, &enter);
}

void press(QWidget& w)
{
    const QPointF at(w.width() / 2.0, w.height() / 2.0);
    QMouseEvent event(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&w, &event);
}

void focus(QWidget& w)
{
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&w, &event);
}

// A menu that stays open while the shot is taken.
class OpenMenu : public PopupMenuOpener {
public:
    void popupFromRect(QWidget*, const QRect&, std::function<void()>) override {}
};

template <class Button>
void enterState(Button& b, ShotState state)
{
    switch (state) {
    case ShotState::Hot:
        hover(b);
        break;
    case ShotState::Pressed:
        hover(b);
        press(b);
        break;
    case ShotState::Focused:
        focus(b);
        break;
    case ShotState::Disabled:
        b.setEnabled(false);
        break;
    case ShotState::Normal:
        break;
    }
}

QImage grabbed(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_ARGB32); }

} // namespace

QImage pushButtonShot(const SkinData& sd, int w, int h, ShotState state, const QString& caption, double morph)
{
    QWidget window;
    auto* b = new SkinButton(caption, &window);
    b->setSkinData(bound(sd));
    b->setGeometry(0, 0, w, h);
    window.resize(w, h);
    enterState(*b, state);
    // The fade's end state, unless a moment of it is asked for.
    for (int i = 0; i < 10 && b->morphRunning(); ++i)
        b->morphTick();
    if (morph >= 0) {
        hover(*b);
        b->setMorphStep(int(morph * SkinButton::morphSteps + 0.5));
    }
    return grabbed(*b);
}

QImage toolButtonShot(const SkinData& sd, int w, int h, ShotState state, const QString& caption, double morph)
{
    QWidget window;
    auto* b = new SkinSpeedButton(caption, &window);
    b->setUseSkinSize(false);
    b->setSkinData(bound(sd));
    b->setGeometry(0, 0, w, h);
    window.resize(w, h);
    enterState(*b, state);
    if (morph >= 0) {
        // Each step of the fade from the normal face towards the hot one.
        hover(*b);
        for (int i = 0; i < int(morph * SkinSpeedButton::morphSteps + 0.5); ++i)
            b->morphTick();
    } else {
        for (int i = 0; i < 10; ++i)
            b->morphTick();
    }
    return grabbed(*b);
}

QImage statusBarShot(const SkinData& sd, int barWidth, int aboutX, ShotState state)
{
    QWidget window;
    window.resize(barWidth, 40);
    auto* bar = new SkinStatusBar(&window);
    auto* about = new SkinMenuSpeedButton(QStringLiteral("About"), bar);
    about->setFlat(true);
    about->setUseSkinSize(false);
    about->setGeometry(aboutX, 2, 45, 18);
    OpenMenu menu;
    about->setPopupMenu(&menu);
    bar->setSkinData(bound(sd));
    window.show(); // the bar docks and sizes itself when shown
    if (state == ShotState::Disabled)
        about->setEnabled(false);
    else if (state == ShotState::Hot)
        hover(*about);
    else if (state == ShotState::Pressed)
        press(*about);
    QImage image = grabbed(*bar);
    window.hide();
    return image;
}

QImage editShot(const SkinData& sd, int w, bool hot, const QString& text, bool disabled)
{
    QWidget window;
    auto* edit = new SkinEdit(&window);
    edit->setReadOnly(true);
    edit->setSkinData(bound(sd));
    edit->setGeometry(0, 0, w, 18);
    edit->setText(text);
    edit->lineEdit()->setCursorPosition(0);
    window.resize(w, 40);
    window.show();
    if (hot)
        hover(*edit);
    if (disabled)
        edit->setEnabled(false);
    QImage image = grabbed(*edit);
    window.hide();
    return image;
}

QImage stdLabelShot(const SkinData& sd, const QString& text, bool link, bool hover_, const QColor& background)
{
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, background);
    window.setPalette(palette);
    window.resize(241, 18);
    QLabel* label = nullptr;
    if (link) {
        auto* l = new SkinLinkLabel(text, &window);
        l->setSkinData(bound(sd));
        if (hover_)
            hover(*l);
        label = l;
    } else {
        auto* l = new SkinStdLabel(text, &window);
        l->setSkinData(bound(sd));
        label = l;
    }
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, 0, 241, 18);
    return grabbed(window);
}

} // namespace skinsheet
