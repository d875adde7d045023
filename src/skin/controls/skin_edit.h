#pragma once

#include "skin/controls/popup_menu_opener.h"
#include "skin/controls/skin_bound.h"
#include "skin/data/control_records.h"
#include "skin/data/skin_types.h"
#include "skin/paint/bitmap.h"

#include <QLineEdit>
#include <QWidget>
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

private:
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
    bool m_useSkinFont = true;
    bool m_readOnly = false;
    bool m_mouseIn = false;
    bool m_focused = false;
    bool m_inResize = false;
};

} // namespace tessaly::skin
