#pragma once

#include "skin/controls/control_geometry.h"
#include "skin/controls/skin_bound.h"
#include "skin/data/skin_types.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/device_picture.h"

#include <QWidget>
#include <functional>
#include <string>

namespace tessaly::skin {

class SkinData;

// The base of the skinned controls that paint themselves from a control
// record: the binding to a record by registry and name, the size rules of
// the record's kind, one off-screen face per paint copied to the widget at
// once, and the record's mask as the widget's shape.
//
// The record is looked up by name at every paint and every resize, so a
// changed name shows at the next paint; without a registry, with an empty
// one or with a name it does not hold, the control is unskinned and draws
// its built-in face at its default size.
//
// The controls are ordinary child widgets: where a face leaves pixels out
// (a flat button at rest), Qt paints the parent underneath.
class SkinControl : public QWidget, public SkinBound {
public:
    explicit SkinControl(QWidget* parent = nullptr);
    ~SkinControl() override;

    // Binds to the registry and applies the record at once when the
    // registry holds a skin.
    void setSkinData(SkinData* skinData);
    // Only stored: the next paint, resize or skin change uses it.

    // Position of the bound record in the registry's control list; -1 when
    // the control is unskinned.
    ResizeMode resizeMode() const { return m_geometry.mode; }
    const ControlGeometry& skinGeometry() const { return m_geometry; }

    int defaultWidth() const { return m_defaultWidth; }
    int defaultHeight() const { return m_defaultHeight; }
    void setDefaultWidth(int width);
    void setDefaultHeight(int height);
    const Font& defaultFont() const { return m_defaultFont; }
    void setDefaultFont(const Font& font);
    bool useSkinFont() const { return m_useSkinFont; }
    void setUseSkinFont(bool on) { m_useSkinFont = on; update(); }

    void setOnMouseEnter(std::function<void()> handler) { m_onMouseEnter = std::move(handler); }
    void setOnMouseLeave(std::function<void()> handler) { m_onMouseLeave = std::move(handler); }

    void beforeChangeSkinData() override;
    void changeSkinData() override;

    // The face as the next paint draws it (tests and review sheets compare
    // it with the widget's own pixels).
    const Bitmap& lastFace() const { return m_face; }

protected:
    bool event(QEvent* event) override;
    // Looks the record up; false when the control is unskinned. Descendants
    // read their own fields after calling it.
    virtual bool getSkinData();
    // The size the record allows for a requested size; also grows the
    // geometry to it.
    virtual void calcSkinSize(int& width, int& height);
    // Draws the face into `face` (already width × height).
    virtual void drawFace(Bitmap& face);
    virtual void drawDefaultFace(Bitmap& face);
    virtual void drawSkinFace(Bitmap& face);

    const DataSkinControl* record() const;
    const DataSkinCustomControl* customRecord() const;
    PixelView pictureView() const;

    // The mask region of the current size, or none.
    void updateControlRegion();
    // Re-applies the size rule to the current size.
    void applySizeRule();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    ControlGeometry m_geometry;
    const Picture* m_picture = nullptr;
    const Picture* m_maskPicture = nullptr;
    Font m_defaultFont;
    bool m_useSkinFont = true;
    int m_defaultWidth = 0;
    int m_defaultHeight = 0;
    Bitmap m_face;
    // The face at the screen's resolution.
    DevicePicture m_deviceFace;

private:
    std::function<void()> m_onMouseEnter;
    std::function<void()> m_onMouseLeave;
    bool m_inSizeRule = false;
};

// The built-in face colours shared by the buttons (0x00BBGGRR values).
inline constexpr Color defaultPressedFrame{0x00800000u};
inline constexpr Color defaultPressedFill{0x00B59385u};
inline constexpr Color defaultHotFrame{0x00800000u};
inline constexpr Color defaultHotFill{0x00D2BDB6u};

// A one-pixel frame in `frame` around a fill (a control's built-in face).
void drawFramedFill(Bitmap& face, const Rect& rect, Color frame, Color fill);

} // namespace tessaly::skin
