#pragma once

#include "skin/controls/edit_side_parts.h"
#include "skin/controls/popup_menu_opener.h"
#include "skin/controls/skin_bound.h"
#include "skin/data/control_records.h"
#include "skin/data/skin_types.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/device_picture.h"

#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

namespace tessaly::skin {

class SkinData;
class SkinEdit;

// The line inside the skinned edit: a frameless QLineEdit that keeps doing
// the caret, selection and clipboard work, with the edit's read-only rules
// (its own read-only flag stays off, so the caret shows and moves), Enter
// and Escape offered to the window, and the edit's context menu.
class EditLine : public QLineEdit {
public:
    explicit EditLine(SkinEdit* owner);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    SkinEdit* m_owner;
};

// The single-line field of the skinned windows (record "edit"): our frame
// and background from the record around an EditLine, the hot look while
// the pointer is over it or it has the focus, and the size rule of the
// record (the skin's height while the skin font is used).
//
// Read-only: typing, Backspace, Delete, cut, paste (also middle-click and
// drops), undo and input-method text change nothing; the caret moves,
// selecting, Copy and Select All work.
//
// Beside the text it may show a side button (buttonMode; drawn from the
// record's button pictures, or from "editbutton" when the skin font is off)
// and a picture of an image list at either end; a click on one runs its
// handler, and Alt+Down or F4 in the field clicks the side button.
class SkinEdit : public QWidget, public SkinBound {
public:
    explicit SkinEdit(QWidget* parent = nullptr);
    ~SkinEdit() override;

    void setSkinData(SkinData* skinData);
    void beforeChangeSkinData() override;
    void changeSkinData() override;

    QString text() const { return m_line->text(); }
    void setText(const QString& text);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }
    QLineEdit* lineEdit() const { return m_line; }

    Color defaultColor() const { return m_defaultColor; }
    void setDefaultColor(Color colour);
    const Font& defaultFont() const { return m_defaultFont; }
    void setDefaultFont(const Font& font);
    bool useSkinFont() const { return m_useSkinFont; }
    void setUseSkinFont(bool on);

    Qt::Alignment alignment() const { return m_line->alignment(); }
    void setAlignment(Qt::Alignment alignment) { m_line->setAlignment(alignment); }

    bool buttonMode() const { return m_parts.buttonMode; }
    void setButtonMode(bool on);
    void setOnButtonClick(std::function<void()> handler) { m_onButtonClick = std::move(handler); }
    // The side images' list (not owned) and their pictures in it.
    void setImages(const ImageList* images);
    void setLeftImage(const EditSideParts::SideImage& image);
    void setRightImage(const EditSideParts::SideImage& image);
    void setOnLeftButtonClick(std::function<void()> handler) { m_onLeftClick = std::move(handler); }
    void setOnRightButtonClick(std::function<void()> handler) { m_onRightClick = std::move(handler); }
    const EditSideParts& sideParts() const { return m_parts; }
    // A click of the side button (pointer or keyboard): its handler, and
    // the focus to the field.
    void buttonClick();

    // Where the context menu opens (not owned; none: a plain Qt menu).
    void setContextMenuOpener(ContextMenuOpener* opener) { m_contextOpener = opener; }
    // Opens the context menu at a point of the screen, or at the field's
    // centre when asked from the keyboard.
    void showContextMenu(const QPoint& screenPos, bool fromKeyboard);
    bool isHot() const { return m_mouseIn || m_focused; }
    // The text area in the edit's coordinates.
    QRect editRect() const;
    const Bitmap& lastFace() const { return m_face; }
    // The text accepted as the field's contents (what the read-only rule
    // keeps).
    const QString& committedText() const { return m_committed; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The side button's rectangle for the current size.
    Rect sideButtonRect() const;
    void layoutParts();
    void drawSideButton(Bitmap& face);
    void drawSideImages(Bitmap& face);
    bool bind();
    void applyFont();
    void layoutLine();
    int ruleHeight() const;
    void drawFrame(Bitmap& face);

    EditLine* m_line;
    const DataSkinEditControl* m_record = nullptr;
    const Picture* m_picture = nullptr;
    ContextMenuOpener* m_contextOpener = nullptr;
    std::unique_ptr<ContextMenuOpener> m_plainOpener;
    Color m_defaultColor;
    Font m_defaultFont;
    QString m_committed;
    Bitmap m_face;
    // The face at the screen's resolution.
    DevicePicture m_deviceFace;
    EditSideParts m_parts;
    std::function<void()> m_onButtonClick;
    std::function<void()> m_onLeftClick;
    std::function<void()> m_onRightClick;
    bool m_useSkinFont = true;
    bool m_readOnly = false;
    bool m_mouseIn = false;
    bool m_focused = false;
    bool m_inResize = false;
};

} // namespace tessaly::skin
