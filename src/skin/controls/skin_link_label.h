#pragma once

#include "skin/controls/skin_bound.h"
#include "skin/data/skin_types.h"

#include <QLabel>
#include <QUrl>
#include <functional>
#include <string>

namespace tessaly::skin {

class SkinData;

// A label that shows and opens a web address: underlined, in the hover
// colour while the pointer is over it, opening the address on a click.
// Only http and https addresses are ever handed to the desktop.
class SkinLinkLabel : public QLabel, public SkinBound {
public:
    explicit SkinLinkLabel(const QString& text = {}, QWidget* parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString& url) { m_url = url; }
    void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }
    // What a click does: the handler, then the address opened where it is
    // a web address.
    void activate();
    // Who opens the address (the desktop by default; tests record it).
    void setUrlOpener(std::function<void(const QUrl&)> opener) { m_urlOpener = std::move(opener); }
    static bool isOpenableUrl(const QUrl& url);

    void setSkinData(SkinData* skinData);
    void setDefaultFont(const Font& font);
    void setDefaultActiveFontColor(Color colour);
    void setUseUnderLine(bool on);
    bool isMouseIn() const { return m_mouseIn; }
    // A glow of `glowSize` pixels around the text while the pointer is over
    // the label, in the hover colour (off by default, 7 pixels). While it is
    // on, the text stands `glowSize` pixels lower, hovered or not, so that
    // the glow fits above it; the size the label asks for includes them.
    bool glowEffect() const { return m_glowEffect; }
    void setGlowEffect(bool on);
    int glowSize() const { return m_glowSize; }
    void setGlowSize(int size);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void beforeChangeSkinData() override;
    void changeSkinData() override;

protected:
    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyLook();
    // The text rectangle: the contents, lower by the glow's size when on.
    QRect textRect() const;
    void paintGlowing();
    Color glowColour() const;

    Font m_defaultFont;
    Color m_defaultActiveFontColor{0x00FF0000u}; // blue
    QString m_url;
    std::function<void()> m_onClick;
    std::function<void(const QUrl&)> m_urlOpener;
    bool m_useUnderLine = true;
    bool m_mouseIn = false;
    bool m_glowEffect = false;
    int m_glowSize = 7;
};

} // namespace tessaly::skin
