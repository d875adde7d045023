#pragma once

#include "skin/controls/control_geometry.h"
#include "skin/controls/skin_bound.h"
#include "skin/data/skin_types.h"
#include "skin/menus/hint_source.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/device_picture.h"

#include <QWidget>
#include <functional>
#include <string>

namespace tessaly::skin {

class ImageList;
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
class SkinControl : public QWidget, public SkinBound, public HintSource {
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

    // A nine-piece face painted as its four border strips with the record's
    // client part tiled from the client area's top-left (or stretched as
    // the record says) instead of the composition's own client fill: a
    // container's background then lines up with its children's places.
    // With drawBackground off the client area is left to the parent.
    bool forceBackground() const { return m_forceBackground; }
    void setForceBackground(bool on) { m_forceBackground = on; update(); }
    bool drawBackground() const { return m_drawBackground; }
    void setDrawBackground(bool on) { m_drawBackground = on; update(); }

    // The title line and the image the skinned hint shows above and beside
    // the control's tool tip (picture hintImageIndex of hintImageList).
    void setHintTitle(const QString& title) { m_hintTitle = title; }
    void setHintImageList(const ImageList* images) { m_hintImageList = images; }
    void setHintImageIndex(int index) { m_hintImageIndex = index; }
    int hintImageIndex() const { return m_hintImageIndex; }
    QString hintTitle() const override { return m_hintTitle; }
    Bitmap hintImage() const override;

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
    // The forced-background face (see setForceBackground).
    void drawForcedBackground(Bitmap& face);

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
    bool m_forceBackground = false;
    bool m_drawBackground = true;
    Bitmap m_face;
    // The face at the screen's resolution.
    DevicePicture m_deviceFace;

private:
    std::function<void()> m_onMouseEnter;
    std::function<void()> m_onMouseLeave;
    QString m_hintTitle;
    const ImageList* m_hintImageList = nullptr;
    int m_hintImageIndex = 0;
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
