#pragma once

#include <QBasicTimer>
#include <QObject>

#include <memory>

#include "skin/menus/skin_hint_window.h"

namespace tessaly::skin {

// Skinned hints: shows hints on request in its own hint window and, while
// active, takes over the hints (tool tips) of the whole application; a
// widget that is a HintSource (the skinned controls) adds its hint title
// and image.
class SkinHint : public QObject {
public:
    explicit SkinHint(QObject* parent = nullptr);
    ~SkinHint() override;

    // While active, every tool tip of the application shows as a skinned hint.
    bool active() const { return m_active; }
    void setActive(bool active);

    SkinData* skinData() const { return m_look.skinData; }
    void setSkinData(SkinData* skinData) { m_look.skinData = skinData; }
    bool useSkinFont() const { return m_look.useSkinFont; }
    void setUseSkinFont(bool on) { m_look.useSkinFont = on; }
    const Font& defaultFont() const { return m_look.defaultFont; }
    void setDefaultFont(const Font& font) { m_look.defaultFont = font; }
    const QString& lineSeparator() const { return m_look.lineSeparator; }
    void setLineSeparator(const QString& separator) { m_look.lineSeparator = separator; }
    void setAlphaBlend(bool on, int value) { m_look.alphaBlend = on, m_look.alphaBlendValue = value; }
    void setLayeredWindowsAvailable(bool available) { m_look.layeredWindowsAvailable = available; }
    // Delay before a delayed hint shows, and how long it stays.
    void setHintPause(int ms) { m_hintPause = ms; }
    void setHintHidePause(int ms) { m_hintHidePause = ms; }

    // Shows at the screen point now.
    void activateHint(const QPoint& at, const QString& hint);
    // Shows below the pointer after the hint pause.
    void activateHint2(const QString& hint);
    // Shows against a screen rectangle (above it with `top`) after the pause.
    void activateHint3(const Rect& fromRect, const QString& hint, bool top);
    // The same with a title line and an image (the extended hint): now at
    // the screen point, or below the pointer after the hint pause.
    void activateHintEx(const QPoint& at, const QString& title, const QString& hint, const Bitmap& image);
    void activateHintEx2(const QString& title, const QString& hint, const Bitmap& image);
    bool isVisible() const;
    void hideHint();
    // How far below the pointer's hot spot a hint goes.
    int cursorHeightMargin() const;

    SkinHintWindow& window() { return *m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void startPause(HintContent content);

    HintLook m_look;
    std::unique_ptr<SkinHintWindow> m_window;
    bool m_active = false;
    QBasicTimer m_timer;
    bool m_showing = false;
    HintContent m_pending;
    bool m_fromRect = false;
    Rect m_rect;
    bool m_top = false;
    int m_hintPause = 500;
    int m_hintHidePause = 2500;
};

} // namespace tessaly::skin
