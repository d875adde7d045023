#include "skin/controls/skin_edit.h"

#include "skin/controls/edit_commands.h"
#include "skin/controls/button_look.h"
#include "skin/controls/image_list.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/control_geometry.h"
#include "skin/controls/dialog_key_event.h"
#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "platform/qt_geometry.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QValidator>

namespace tessaly::skin {

namespace {

// Every change the user makes goes through the line's validator: while the
// field is read-only, only its committed text is acceptable, so typing,
// deleting, cutting, pasting, dropping and input-method text are all
// turned back in one place.
class ReadOnlyValidator : public QValidator {
public:
    explicit ReadOnlyValidator(SkinEdit* owner)
        : QValidator(owner)
        , m_owner(owner)
    {
    }
    State validate(QString& input, int&) const override
    {
        return m_owner->isReadOnly() && input != m_owner->committedText() ? Invalid : Acceptable;
    }

private:
    SkinEdit* m_owner;
};

bool isEditingKey(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste)
        || event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)
        || event->matches(QKeySequence::Delete) || event->matches(QKeySequence::DeleteEndOfLine)
        || event->matches(QKeySequence::DeleteStartOfWord) || event->matches(QKeySequence::DeleteEndOfWord)
        || event->matches(QKeySequence::DeleteCompleteLine) || event->matches(QKeySequence::Backspace))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
        return true;
    default:
        break;
    }
    // Printable text; Ctrl+C and Ctrl+A were let through before this.
    return !event->text().isEmpty() && event->text().at(0).isPrint();
}

} // namespace

// ---- the line

EditLine::EditLine(SkinEdit* owner)
    : QLineEdit(owner)
    , m_owner(owner)
{
    setFrame(false);
    setAutoFillBackground(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    setPalette(palette);
    setValidator(new ReadOnlyValidator(owner));
}

void EditLine::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        // Never a line break: the window's default or cancel button.
        event->accept();
        if (!event->isAutoRepeat())
            offerDialogKey(this, key);
        return;
    }
    // The side button, as a combo box opens its list.
    if (m_owner->buttonMode()
        && ((key == Qt::Key_Down && event->modifiers() == Qt::AltModifier)
            || (key == Qt::Key_F4 && event->modifiers() == Qt::NoModifier))) {
        event->accept();
        m_owner->buttonClick();
        return;
    }
    // The menu key already arrives as a keyboard context-menu request (the
    // X11 platform makes one); Shift+F10 does not.
    if (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        event->accept();
        m_owner->showContextMenu({}, true);
        return;
    }
    if (m_owner->isReadOnly() && !event->matches(QKeySequence::Copy) && !event->matches(QKeySequence::SelectAll)
        && isEditingKey(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EditLine::inputMethodEvent(QInputMethodEvent* event)
{
    if (m_owner->isReadOnly()) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void EditLine::mousePressEvent(QMouseEvent* event)
{
    // The middle button pastes the selection on X11.
    if (event->button() == Qt::MiddleButton && m_owner->isReadOnly()) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void EditLine::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && m_owner->isReadOnly()) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void EditLine::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_owner->isReadOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void EditLine::dropEvent(QDropEvent* event)
{
    if (m_owner->isReadOnly()) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

void EditLine::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    m_owner->showContextMenu(event->globalPos(), event->reason() == QContextMenuEvent::Keyboard);
}

// ---- the field

SkinEdit::SkinEdit(QWidget* parent)
    : QWidget(parent)
    , SkinBound("edit")
    , m_line(new EditLine(this))
    , m_defaultColor(systemColorValue(SystemColor::Window))
{
    m_defaultFont.color = rgbColor(0, 0, 0);
    setFocusProxy(m_line);
    setFocusPolicy(Qt::StrongFocus);
    m_line->installEventFilter(this);
    setAttribute(Qt::WA_Hover);
    // The side parts are hot under the pointer.
    setMouseTracking(true);
    resize(121, 20);
    QObject::connect(m_line, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_readOnly)
            m_committed = text;
        update();
    });
    QObject::connect(m_line, &QLineEdit::selectionChanged, this, [this] { update(); });
    applyFont();
    layoutLine();
}

SkinEdit::~SkinEdit() = default;

void SkinEdit::setText(const QString& text)
{
    m_committed = text;
    m_line->setText(text);
}

void SkinEdit::setSkinData(SkinData* skinData)
{
    m_binding.registry = skinData;
    if (m_binding.registry && !m_binding.registry->empty())
        changeSkinData();
}

void SkinEdit::setDefaultColor(Color colour)
{
    m_defaultColor = colour;
    if (!m_binding.isBound())
        update();
}

void SkinEdit::setDefaultFont(const Font& font)
{
    m_defaultFont = font;
    applyFont();
}

void SkinEdit::setUseSkinFont(bool on)
{
    m_useSkinFont = on;
    changeSkinData();
}

bool SkinEdit::bind()
{
    m_binding.lookUp();
    m_record = nullptr;
    m_picture = nullptr;
    if (!m_binding.isBound())
        return false;
    // A record of another kind counts as unskinned here: the edit draws
    // nothing it cannot lay out.
    m_record = m_binding.recordAs<DataSkinEditControl>();
    if (!m_record || m_record->skinRect.isEmpty()) {
        m_record = nullptr;
        m_binding.unbind();
        return false;
    }
    m_picture = m_binding.registry->activePicture(m_record->pictureIndex);
    return true;
}

void SkinEdit::beforeChangeSkinData()
{
    m_binding.unbind();
    m_record = nullptr;
    m_picture = nullptr;
}

void SkinEdit::changeSkinData()
{
    bind();
    applyFont();
    const int h = ruleHeight();
    if (h > 0 && h != height())
        resize(width(), h);
    layoutLine();
    update();
}

int SkinEdit::ruleHeight() const
{
    if (m_record && m_useSkinFont)
        return m_record->skinRect.height();
    const Font font = m_defaultFont;
    const int textHeight = QFontMetrics(fontOf(font)).height();
    if (!m_record)
        return m_useSkinFont ? 0 : textHeight + 4;
    return textHeight + m_record->skinRect.height() - m_record->clRect.height();
}

void SkinEdit::applyFont()
{
    Font font = m_defaultFont;
    Color colour = m_defaultFont.color;
    if (m_record) {
        if (m_useSkinFont)
            font = {m_record->fontName, m_record->fontHeight, m_record->fontStyle, m_record->fontColor};
        if (!isEnabled())
            colour = m_record->disabledFontColor;
        else
            colour = isHot() ? m_record->activeFontColor : m_record->fontColor;
    }
    m_line->setFont(fontOf(font));
    QPalette palette = m_line->palette();
    palette.setColor(QPalette::Text, qColorOf(colour));
    palette.setColor(QPalette::Base, Qt::transparent);
    m_line->setPalette(palette);
}

QRect SkinEdit::editRect() const
{
    if (!m_record) {
        // The side button is a square at the right end.
        const int right = m_parts.buttonMode ? width() - height() - 2 : width() - 2;
        return QRect(2, 2, std::max(0, right - 2), std::max(0, height() - 4));
    }
    const Rect& cl = m_record->clRect;
    const int skinW = m_record->skinRect.width();
    int bottom = cl.bottom;
    if (!m_useSkinFont)
        bottom += height() - m_record->skinRect.height();
    const Rect r{cl.left, cl.top, width() + cl.right - skinW, bottom};
    return platform::toQRect(r);
}

Rect SkinEdit::sideButtonRect() const
{
    if (!m_record)
        return {width() - height(), 0, width(), height()};
    Rect r = m_record->buttonRect;
    const int skinW = m_record->skinRect.width();
    // A button in the fixed right part moves with the right edge.
    if (r.left >= m_record->rtPoint.x) {
        r.left += width() - skinW;
        r.right += width() - skinW;
    }
    if (!m_useSkinFont)
        r.bottom += height() - m_record->skinRect.height();
    return r;
}

void SkinEdit::layoutParts() { m_parts.layout(platform::toRect(editRect()), sideButtonRect()); }

void SkinEdit::layoutLine()
{
    layoutParts();
    m_line->setGeometry(platform::toQRect(m_parts.lineRect(platform::toRect(editRect()))));
}

void SkinEdit::setButtonMode(bool on)
{
    m_parts.buttonMode = on;
    layoutLine();
    update();
}

void SkinEdit::setImages(const ImageList* images)
{
    m_parts.images = images;
    layoutLine();
    update();
}

void SkinEdit::setLeftImage(const EditSideParts::SideImage& image)
{
    m_parts.left = image;
    layoutLine();
    update();
}

void SkinEdit::setRightImage(const EditSideParts::SideImage& image)
{
    m_parts.right = image;
    layoutLine();
    update();
}

void SkinEdit::buttonClick()
{
    m_line->setFocus(Qt::OtherFocusReason);
    if (m_onButtonClick)
        m_onButtonClick();
}

void SkinEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) {
        const QPoint p = event->position().toPoint();
        if (m_parts.press(p.x(), p.y())) {
            if (m_parts.held() != EditPart::Button)
                m_line->setFocus(Qt::MouseFocusReason);
            update();
            event->accept();
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void SkinEdit::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (m_parts.move(p.x(), p.y()))
        update();
    QWidget::mouseMoveEvent(event);
}

void SkinEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_parts.held() == EditPart::None) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    const EditPart clicked = m_parts.release(p.x(), p.y());
    update();
    if (clicked == EditPart::Button)
        buttonClick();
    else if (clicked == EditPart::LeftImage && m_onLeftClick)
        m_onLeftClick();
    else if (clicked == EditPart::RightImage && m_onRightClick)
        m_onRightClick();
}

void SkinEdit::drawSideButton(Bitmap& face)
{
    if (!m_parts.buttonMode)
        return;
    const Rect b = m_parts.buttonRect();
    const bool pressed = m_parts.pressed(EditPart::Button);
    const bool hot = m_parts.hot() == EditPart::Button;
    if (!m_record) {
        if (pressed)
            drawFramedFill(face, b, defaultPressedFrame, defaultPressedFill);
        else if (hot)
            drawFramedFill(face, b, defaultHotFrame, defaultHotFill);
        else
            drawFramedFill(face, b, systemColorValue(SystemColor::BtnShadow), systemColorValue(SystemColor::BtnFace));
        return;
    }
    const DataSkinEditControl& r = *m_record;
    if (m_useSkinFont) {
        // The button's pictures over the frame; at rest the frame's own.
        const Rect active = r.activeButtonRect;
        const Rect down = r.downButtonRect.isEmpty() ? active : r.downButtonRect;
        Rect source;
        if (!isEnabled() && !r.unEnabledButtonRect.isEmpty())
            source = r.unEnabledButtonRect;
        else if (pressed)
            source = down;
        else if (hot)
            source = active;
        if (!source.isEmpty() && m_picture)
            copyPiece(pixelView(*m_picture), source, face, b);
        return;
    }
    // Any height: the button is a record of its own, grown to its size.
    const SkinData& skin = *m_binding.registry;
    int i = skin.getControlIndex("editbutton");
    if (i < 0)
        i = skin.getControlIndex("resizebutton");
    const auto* button = i < 0 ? nullptr : dynamic_cast<const DataSkinButtonControl*>(skin.ctrlList()[std::size_t(i)].get());
    const Picture* picture = button ? skin.activePicture(button->pictureIndex) : nullptr;
    if (!picture || b.isEmpty())
        return;
    const ButtonLook look = ButtonLook::of(*button);
    ControlGeometry g = ControlGeometry::of(*button);
    int w = b.width(), h = b.height();
    g.calcSkinSize(w, h);
    Bitmap part(b.width(), b.height());
    composeRecordFace(part, pixelView(*picture), g, pressed ? look.down : hot ? look.active : look.normal, b.width(),
                      b.height());
    part.draw(face, b.left, b.top);
}

void SkinEdit::drawSideImages(Bitmap& face)
{
    if (!m_parts.images)
        return;
    for (const EditPart side : {EditPart::LeftImage, EditPart::RightImage}) {
        const Rect area = side == EditPart::LeftImage ? m_parts.leftArea() : m_parts.rightArea();
        if (area.isEmpty())
            continue;
        // Centred in the area, never above its top.
        const int y = std::max(area.top, area.top + (area.height() - m_parts.images->height()) / 2);
        m_parts.images->draw(face, area.left, y, m_parts.imageIndex(side), isEnabled());
    }
}

void SkinEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    bind();
    // The record decides the height while the skin font is used.
    const int h = ruleHeight();
    if (!m_inResize && h > 0 && h != height()) {
        m_inResize = true;
        resize(width(), h);
        m_inResize = false;
    }
    layoutLine();
}

void SkinEdit::drawFrame(Bitmap& face)
{
    const int w = face.width();
    const int h = face.height();
    const QRect text = editRect();
    const Rect textRect = platform::toRect(text);
    if (!m_record) {
        const int right = m_parts.buttonMode ? w - h : w;
        face.fillRect({0, 0, right, h}, colorFromValue(systemColorValue(SystemColor::BtnShadow)));
        face.fillRect({1, 1, right - 1, h - 1}, colorFromValue(systemColorValue(SystemColor::BtnFace)));
        face.fillRect({2, 2, right - 2, h - 2}, colorFromValue(m_defaultColor));
        drawSideButton(face);
        drawSideImages(face);
        return;
    }
    if (!m_picture)
        return;
    const PixelView picture = pixelView(*m_picture);
    const DataSkinEditControl& r = *m_record;
    const Rect source = isHot() && !r.activeSkinRect.isEmpty() ? r.activeSkinRect : r.skinRect;
    const int lOffset = r.ltPoint.x;
    const int rOffset = r.skinRect.width() - r.rtPoint.x;
    Bitmap frame;
    if (m_useSkinFont)
        composeHorzSkinImage(lOffset, rOffset, frame, picture, source, w, h, r.stretchEffect);
    else {
        frame.setSize(w, h);
        composeSimpleSkinImage(frame, picture, source, false, r.clRect);
    }
    frame.draw(face, 0, 0);
    drawSideButton(face);
    // The text area: the client part of the same rectangle, grown to the
    // text area's width.
    const Rect& cl = r.clRect;
    const Rect client = Rect::sized(cl.width(), cl.height()).translated(source.left + cl.left, source.top + cl.top);
    Bitmap area;
    composeHorzSkinImage(std::max(0, lOffset - cl.left), std::max(0, cl.right + rOffset - r.skinRect.width()), area,
                         picture, client, textRect.width(), textRect.height(), r.stretchEffect);
    if (!area.empty()) {
        if (m_useSkinFont)
            area.draw(face, textRect.left, textRect.top);
        else
            area.draw(face, textRect);
    }
    drawSideImages(face);
}

void SkinEdit::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    bind();
    layoutParts();
    m_face.setSize(width(), height());
    m_face.fillRect({0, 0, width(), height()}, 0);
    drawFrame(m_face);
    QPainter painter(this);
    drawDevicePicture(painter, m_deviceFace, m_face);
}

void SkinEdit::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    m_mouseIn = true;
    applyFont();
    update();
}

void SkinEdit::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_parts.leave();
    m_mouseIn = false;
    applyFont();
    update();
}

bool SkinEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_line && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // A popup (the context menu) borrowing the focus keeps the look.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            m_focused = event->type() == QEvent::FocusIn;
            applyFont();
            update();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SkinEdit::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        applyFont();
        update();
    }
}

void SkinEdit::showContextMenu(const QPoint& screenPos, bool fromKeyboard)
{
    const QPoint at = fromKeyboard ? mapToGlobal(rect().center()) : screenPos;
    const ResourceStrData* strings = m_binding.registry ? m_binding.registry->resourceStrData() : nullptr;
    std::vector<MenuCommand> commands = editContextCommands(m_line, m_readOnly, strings);
    if (!m_contextOpener && !m_plainOpener)
        m_plainOpener = std::make_unique<QMenuContextOpener>();
    ContextMenuOpener* opener = m_contextOpener ? m_contextOpener : m_plainOpener.get();
    opener->popup(this, at, std::move(commands));
}

bool SkinEdit::event(QEvent* event)
{
    // Skin notices relayed by the window's frame.
    return handleSkinNoticeEvent(*this, event) || QWidget::event(event);
}

} // namespace tessaly::skin
