#include "app/skin_preview_window.h"

#include "app/skin_menu_openers.h"
#include "skin/controls/image_list.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_link_label.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/controls/skin_panel.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_std_label.h"
#include "skin/data/skin_data.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/skin_frame.h"
#include "skin/menus/skin_hint.h"
#include "skin/menus/skin_popup_menu.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <string>

namespace tessaly::app {

namespace {

constexpr int kGap = 6;

// The windows' own control font.
skin::Font controlFont() { return skin::Font{"Arial", 14, {}, skin::rgbColor(0, 0, 0)}; }
constexpr int kButtonWidth = 75;

// A glyph strip of four cells (normal, disabled, pressed, hot): a square
// of its own colour in each, on a key colour.
skin::Bitmap sampleGlyph()
{
    constexpr int cell = 10;
    skin::Bitmap strip(4 * cell, cell);
    strip.fillRect({0, 0, 4 * cell, cell}, 0xFFFF00FFu);
    const skin::PixelColor colours[] = {0xFF2060C0u, 0xFF909090u, 0xFF103070u, 0xFF40A0FFu};
    for (int k = 0; k < 4; ++k)
        strip.fillRect({k * cell + 1, 1, k * cell + cell - 1, cell - 2}, colours[k]);
    return strip;
}

// The hint's picture: a blue disc with a white "i", 16 pixels across.
skin::Bitmap hintPicture()
{
    constexpr int size = 16;
    skin::Bitmap picture(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int dx = 2 * x + 1 - size, dy = 2 * y + 1 - size;
            if (dx * dx + dy * dy <= size * size)
                picture.setPixel(x, y, 0xFF2A6FD0u);
        }
    picture.fillRect({7, 3, 9, 5}, 0xFFFFFFFFu);
    picture.fillRect({7, 6, 9, 13}, 0xFFFFFFFFu);
    picture.setAlphaBlend(true);
    return picture;
}

// An owner-drawn menu item: a row of colour swatches before its caption.
void drawSwatchItem(const skin::MenuItem& item, QPainter& painter, const QRect& area, bool)
{
    static const QColor swatches[] = {QColor(0xC0, 0x39, 0x2B), QColor(0xE6, 0x7E, 0x22), QColor(0xF1, 0xC4, 0x0F),
                                      QColor(0x27, 0xAE, 0x60), QColor(0x29, 0x80, 0xB9), QColor(0x8E, 0x44, 0xAD)};
    // The painter comes with the item's text colour (highlighted or not).
    const int side = area.height() - 8;
    int x = area.left() + 2;
    for (const QColor& c : swatches) {
        painter.fillRect(QRect(x, area.top() + 4, side, side), c);
        painter.drawRect(QRect(x, area.top() + 4, side - 1, side - 1));
        x += side + 2;
    }
    painter.drawText(QRect(x + 4, area.top(), area.right() - x - 4, area.height()), Qt::AlignVCenter | Qt::AlignLeft,
                     item.caption);
}

// The pointer over a button, its fade and frames played to the end, so the
// hot face shows at once.
void hoverOver(skin::SkinButtonBase* b)
{
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(b->mapToGlobal(QPoint(3, 3))));
    QCoreApplication::sendEvent(b, &enter);
    for (int i = 0; i < 100 && b->morphRunning(); ++i)
        b->morphTick();
    for (int i = 0; i < 100 && b->frameAnimation().running(); ++i)
        b->animationTick();
}

void pressOn(QWidget* w)
{
    const QPoint at(w->width() / 2, w->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
}

} // namespace

SkinPreviewWindow::SkinPreviewWindow(const QString& path)
    : m_source(std::make_unique<SkinPreviewSource>(path))
    , m_ownedSkin(std::make_unique<skin::SkinData>())
{
    setWindowTitle(QStringLiteral("Skin preview \u2013 %1").arg(path));
    m_ownedSkin->setNotifier(&skin::ApplicationNotifier::instance());
    setUp(m_ownedSkin.get());
    m_source->setOnChanged([this] { reload(); });
    reload();
}

SkinPreviewWindow::SkinPreviewWindow(skin::SkinData& skin)
{
    setWindowTitle(QStringLiteral("Skin preview"));
    setUp(&skin);
}

void SkinPreviewWindow::setUp(skin::SkinData* skin)
{
    m_skinData = skin;
    setDesignClientSize(QSize(680, 340));
    m_frame = std::make_unique<skin::SkinFrame>(this);
    m_frame->setBorderIcons(skin::BorderIcon::SystemMenu | skin::BorderIcon::Minimize | skin::BorderIcon::Maximize);
    m_frame->setSkinData(skin);
    m_hint = std::make_unique<skin::SkinHint>(this);
    m_hint->setSkinData(skin);
    m_hint->setActive(true);
    // Hints cast a shadow where the frame's menus do.
    m_hint->setLayeredWindowsAvailable(m_frame->layeredWindowsAvailable());
    m_frame->setSkinHint(m_hint.get());
    buildControls();
}

SkinPreviewWindow::~SkinPreviewWindow() = default;

template <class Control>
Control* SkinPreviewWindow::bound(Control* control)
{
    control->setSkinData(m_skinData);
    m_binders.emplace_back([control](skin::SkinData* skin) { control->setSkinData(skin); });
    return control;
}

template <class Control>
Control* SkinPreviewWindow::boundPreferring(Control* control, std::string preferred, std::string fallback)
{
    auto bind = [control, preferred, fallback](skin::SkinData* skin) {
        control->setSkinDataName(skin && skin->getControlIndex(preferred) >= 0 ? preferred : fallback);
        control->setSkinData(skin);
    };
    bind(m_skinData);
    m_binders.emplace_back(bind);
    return control;
}

void SkinPreviewWindow::buildControls()
{
    QWidget* area = clientArea();
    const skin::Font font = controlFont();
    auto heading = [&](const QString& text, int y) {
        auto* label = bound(new skin::SkinStdLabel(text, area));
        label->setDefaultFont(font);
        label->setGeometry(8, y, 300, 16);
    };

    // Push buttons, one per state, and the modes.
    heading(QStringLiteral("Push buttons"), 6);
    m_hintImages = std::make_unique<skin::ImageList>(16, 16);
    m_hintImages->add(hintPicture());
    const QStringList pushStates = {QStringLiteral("Normal"),   QStringLiteral("Hot"),     QStringLiteral("Pressed"),
                                    QStringLiteral("Focused"),  QStringLiteral("Disabled"), QStringLiteral("Checked"),
                                    QStringLiteral("&Glyph"),   QStringLiteral("Animated")};
    for (int i = 0; i < pushStates.size(); ++i) {
        auto* b = i == 7 ? boundPreferring(new skin::SkinButton(pushStates[i], area), "animbutton", "button")
                         : bound(new skin::SkinButton(pushStates[i], area));
        b->setDefaultFont(font);
        b->setGeometry(8 + i * (kButtonWidth + kGap), 24, kButtonWidth, 25);
        switch (i) {
        case 1:
            b->setCanFocused(false);
            m_stateSetters.emplace_back([b] { hoverOver(b); });
            b->setToolTip(QStringLiteral("A skinned hint@with a title and a picture"));
            b->setHintTitle(QStringLiteral("Hint title"));
            b->setHintImageList(m_hintImages.get());
            b->setHintImageIndex(0);
            m_hintButton = b;
            break;
        case 2:
            b->setCanFocused(false);
            m_stateSetters.emplace_back([b] { pressOn(b); });
            break;
        case 3:
            m_focusedButton = b;
            break;
        case 4:
            b->setEnabled(false);
            break;
        case 5:
            b->setCheckedMode(true);
            b->setDown(true);
            break;
        case 6:
            b->setGlyph(sampleGlyph());
            b->setNumGlyphs(4);
            break;
        case 7:
            // Its frames play as the pointer comes and goes.
            b->setCanFocused(false);
            m_stateSetters.emplace_back([b] { hoverOver(b); });
            break;
        default:
            break;
        }
    }

    // Tool buttons: states, flat, and the menu buttons.
    heading(QStringLiteral("Tool buttons"), 58);
    const QStringList toolStates = {QStringLiteral("Normal"),  QStringLiteral("Hot"),  QStringLiteral("Pressed"),
                                    QStringLiteral("Disabled"), QStringLiteral("Checked"), QStringLiteral("Flat")};
    int x = 8;
    for (int i = 0; i < toolStates.size(); ++i) {
        auto* b = bound(new skin::SkinSpeedButton(toolStates[i], area));
        b->setDefaultFont(font);
        b->setUseSkinSize(false);
        b->setGeometry(x, 76, 64, 22);
        x += 64 + kGap;
        if (i == 1)
            m_stateSetters.emplace_back([b] { hoverOver(b); });
        else if (i == 2)
            m_stateSetters.emplace_back([b] { pressOn(b); });
        else if (i == 3)
            b->setEnabled(false);
        else if (i == 4) {
            b->setCheckedMode(true);
            b->setDown(true);
        } else if (i == 5)
            b->setFlat(true);
    }
    m_menu = std::make_unique<skin::SkinPopupMenu>(this);
    m_menu->setSkinComponent(m_frame.get());
    skin::MenuItem& items = m_menu->items();
    items.add(QStringLiteral("Normal item"));
    items.add(QStringLiteral("Disabled item")).enabled = false;
    items.add(QStringLiteral("Checked item")).checked = true;
    skin::MenuItem& radio = items.add(QStringLiteral("Radio item"));
    radio.radioItem = true;
    radio.checked = true;
    items.addSeparator();
    skin::MenuItem& more = items.add(QStringLiteral("Submenu"));
    more.add(QStringLiteral("First"));
    more.add(QStringLiteral("Second"));
    items.add(QStringLiteral("Item with &accelerator"));
    items.add(QStringLiteral("Item with a shortcut")).shortCut = QKeySequence(Qt::CTRL | Qt::Key_S);
    items.add(QStringLiteral("-Header-")).enabled = false;
    // Owner-drawn: measured taller than the others and painted by the window.
    skin::MenuItem& swatches = items.add(QStringLiteral("Owner-drawn"));
    swatches.onMeasureItem = [](const skin::MenuItem&, int& width, int& height) {
        width += 6 * 20;
        height += 6;
    };
    swatches.onDrawItem = drawSwatchItem;
    m_menuOpener = std::make_unique<SkinPopupMenuOpener>(*m_menu);
    for (const bool track : {false, true}) {
        auto* b = bound(new skin::SkinMenuSpeedButton(track ? QStringLiteral("Track") : QStringLiteral("Menu"), area));
        b->setDefaultFont(font);
        b->setUseSkinSize(false);
        b->setTrackButtonMode(track);
        b->setPopupMenu(m_menuOpener.get());
        b->setGeometry(x, 76, 70, 22);
        x += 70 + kGap;
        if (!track)
            m_menuButton = b;
    }

    // Edits: plain, with the side button and images, disabled.
    heading(QStringLiteral("Edits"), 110);
    m_images = std::make_unique<skin::ImageList>(10, 10);
    m_images->add(sampleGlyph());
    for (int i = 0; i < 3; ++i) {
        auto* e = i == 1 ? boundPreferring(new skin::SkinEdit(area), "buttonedit", "edit") : bound(new skin::SkinEdit(area));
        e->setDefaultFont(font);
        e->setGeometry(8 + i * 206, 128, 200, 20);
        e->setText(i == 0 ? QStringLiteral("Text") : i == 1 ? QStringLiteral("Side button") : QStringLiteral("Disabled"));
        if (i == 1) {
            e->setButtonMode(true);
            e->setImages(m_images.get());
            e->setLeftImage({0, -1, -1});
        }
        if (i == 2)
            e->setEnabled(false);
    }

    // Panels: a caption with a check box, and a transparent group box.
    heading(QStringLiteral("Panels and labels"), 158);
    auto* panel = boundPreferring(new skin::SkinPanel(area), "captionpanel", "panel");
    panel->setDefaultFont(font);
    panel->setGeometry(8, 176, 200, 96);
    panel->setText(QStringLiteral("Check panel"));
    panel->setCaptionMode(true);
    panel->setCheckedMode(true);
    panel->setChecked(true);
    panel->setRollUpMode(true);
    auto* inside = bound(new skin::SkinSpeedButton(QStringLiteral("Child"), panel));
    inside->setUseSkinSize(false);
    inside->setGeometry(16, 40, 64, 22);
    auto* group = bound(new skin::SkinPanel(area));
    group->setDefaultFont(font);
    group->setGeometry(216, 176, 200, 96);
    group->setText(QStringLiteral("Group box"));
    group->setCaptionMode(true);
    group->setTransparentMode(true);
    auto* groupLabel = bound(new skin::SkinStdLabel(QStringLiteral("Inside the group"), group));
    groupLabel->setGeometry(12, 40, 150, 16);

    auto* label = bound(new skin::SkinStdLabel(QStringLiteral("A label"), area));
    label->setGeometry(428, 180, 200, 16);
    auto* link = bound(new skin::SkinLinkLabel(QStringLiteral("A link label"), area));
    link->setGeometry(428, 202, 200, 18);
    auto* shortened = bound(new skin::SkinStdLabel(QStringLiteral("/a/long/path/to/the/skin/being/made/skin.ini"), area));
    shortened->setEllipsType(skin::EllipsType::Path);
    shortened->setGeometry(428, 226, 200, 16);

    // The status bar with its grip, and the loader's message.
    auto* bar = bound(new skin::SkinStatusBar(area));
    bar->setSizeGrip(true);
    m_messageLabel = bound(new skin::SkinStdLabel(QString(), bar));
    m_messageLabel->setSkinDataName("statusbar");
    m_messageLabel->setDefaultFont(font);
    m_messageLabel->setEllipsType(skin::EllipsType::End);
    m_messageLabel->setGeometry(8, 2, 560, 18);
}

void SkinPreviewWindow::reload()
{
    if (!m_source)
        return;
    try {
        wear(m_source->load());
        showMessage(QStringLiteral("Showing %1").arg(m_source->path()));
    } catch (const std::exception& error) {
        // The last good skin stays on.
        showMessage(QString::fromStdString(error.what()));
        m_message = QString::fromStdString(error.what());
        return;
    }
    m_message.clear();
}

void SkinPreviewWindow::wear(std::unique_ptr<skin::SkinData> skin)
{
    skin->setNotifier(&skin::ApplicationNotifier::instance());
    skin->setOwnerWindow(skin::ApplicationNotifier::instance().receiverOf(this));
    std::unique_ptr<skin::SkinData> previous = std::exchange(m_ownedSkin, std::move(skin));
    bindAll(m_ownedSkin.get());
    // Nothing refers to the previous registry any more.
    previous.reset();
}

void SkinPreviewWindow::bindAll(skin::SkinData* skin)
{
    m_skinData = skin;
    m_frame->setSkinData(skin);
    m_hint->setSkinData(skin);
    for (const auto& bind : m_binders)
        bind(skin);
}

void SkinPreviewWindow::showMessage(const QString& message)
{
    if (m_messageLabel)
        m_messageLabel->setText(message);
}

void SkinPreviewWindow::showEvent(QShowEvent* event)
{
    platform::FramelessWindow::showEvent(event);
    QTimer::singleShot(0, this, [this] { showStates(); });
}

void SkinPreviewWindow::showStates()
{
    for (const auto& set : m_stateSetters)
        set();
    if (m_focusedButton)
        m_focusedButton->setFocus(Qt::TabFocusReason);
}

void SkinPreviewWindow::openMenuAndHint()
{
    if (auto* menu = static_cast<skin::SkinMenuSpeedButton*>(m_menuButton))
        menu->showMenu();
    if (m_hintButton) {
        m_hint->setLayeredWindowsAvailable(m_frame->layeredWindowsAvailable());
        m_hint->activateHintEx(m_hintButton->mapToGlobal(QPoint(0, m_hintButton->height() + 4)),
                               QStringLiteral("Hint title"), QStringLiteral("A skinned hint@with a title and a picture"),
                               hintPicture());
    }
}

int runSkinPreview(const QString& path)
{
    SkinPreviewWindow window(path);
    window.show();
    return QApplication::exec();
}

} // namespace tessaly::app
