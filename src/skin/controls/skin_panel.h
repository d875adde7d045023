#pragma once

#include "skin/controls/skin_control.h"
#include "skin/data/control_records.h"

#include <QString>
#include <functional>

namespace tessaly::skin {

// The skinned container (record "panel"): a face from the record (the
// frame with its client part tiled or stretched, or the record's background
// picture), an optional caption (the record's caption rectangle, or a bar
// of its own in caption mode) with a check box that enables and disables
// the children and a marker that rolls the panel up to its caption. A
// transparent panel shows its parent, with an outline, or as a group box
// in caption mode.
//
// Children go in the client rectangle: it is the panel's contents margins,
// so a layout set on the panel places them there.
//
// Keyboard: in check or roll-up mode the panel is a tab stop and Space does
// what a click on the caption does.
class SkinPanel : public SkinControl {
public:
    enum class BorderStyle { Frame, Raised, Lowered, None };

    explicit SkinPanel(QWidget* parent = nullptr);

    QString text() const { return m_caption; }
    void setText(const QString& caption);

    bool captionMode() const { return m_captionMode; }
    void setCaptionMode(bool on);
    bool checkedMode() const { return m_checkedMode; }
    void setCheckedMode(bool on);
    bool isChecked() const { return m_checked; }
    void setChecked(bool on);
    void setOnChecked(std::function<void()> handler) { m_onChecked = std::move(handler); }
    bool autoEnabledControls() const { return m_autoEnabledControls; }
    void setAutoEnabledControls(bool on) { m_autoEnabledControls = on; }

    bool rollUpMode() const { return m_rollUpMode; }
    void setRollUpMode(bool on);
    bool rollUpState() const { return m_rollUpState; }
    void setRollUpState(bool on);
    void setOnChangeRollUpState(std::function<void()> handler) { m_onChangeRollUp = std::move(handler); }
    // The height to restore; -1 while not rolled up.
    int realHeight() const { return m_realHeight; }

    bool transparentMode() const { return m_transparent; }
    void setTransparentMode(bool on);
    BorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(BorderStyle style);
    int defaultCaptionHeight() const { return m_defaultCaptionHeight; }
    void setDefaultCaptionHeight(int height);
    Alignment defaultAlignment() const { return m_defaultAlignment; }
    void setDefaultAlignment(Alignment alignment);
    // A glyph strip of one or two cells (the second for a disabled panel)
    // before the caption.
    void setGlyph(const Bitmap& glyph, int numGlyphs = 1);
    void setSpacing(int spacing);

    // The area the children take (the panel's client rectangle).
    Rect clientRectForChildren() const;
    // The caption's area at the current size (empty: none).
    Rect captionArea() const;
    // What a click on the caption does: toggles the check (check mode) and
    // the roll-up (roll-up mode).
    void toggleByUser();

    void changeSkinData() override;

protected:
    bool getSkinData() override;
    void drawDefaultFace(Bitmap& face) override;
    void drawSkinFace(Bitmap& face) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Paints over the face (the status bar's grip).
    virtual void drawOverFace(Bitmap&) {}
    // The children's area before adjustClientRect.
    Rect childArea() const;
    // Narrows the children's area (the status bar's grip).
    virtual Rect adjustClientRect(const Rect& area) const { return area; }
    void updateClientMargins();

    const DataSkinPanelControl* m_panelRecord = nullptr;

private:
    void drawBackgroundPicture(Bitmap& face);
    void drawSkinCaption(Bitmap& face);
    void drawDefaultCaption(Bitmap& face);
    void drawGroupBox(Bitmap& face);
    void drawCaptionText(Bitmap& face, const Rect& area, Alignment alignment, const Font& font, Color colour);
    void doRollUp(bool rollUp);
    // The record's client rectangle grown to the current size.
    Rect currentClient() const;
    void updateFocusPolicy();
    Font captionFont() const;

    QString m_caption;
    Bitmap m_glyph;
    int m_numGlyphs = 1;
    int m_spacing = 2;
    std::function<void()> m_onChecked;
    std::function<void()> m_onChangeRollUp;
    BorderStyle m_borderStyle = BorderStyle::Frame;
    Alignment m_defaultAlignment = Alignment::LeftJustify;
    int m_defaultCaptionHeight = 22;
    int m_realHeight = -1;
    bool m_captionMode = false;
    bool m_checkedMode = false;
    bool m_checked = false;
    bool m_autoEnabledControls = true;
    bool m_rollUpMode = false;
    bool m_rollUpState = false;
    bool m_transparent = false;
};

// The roll-up arrow: four rows 1, 3, 5, 7 pixels wide pointing up (or the
// reverse pointing down), centred in `area`.
void drawRollUpArrow(Bitmap& face, const Rect& area, bool down, Color colour);

} // namespace tessaly::skin
