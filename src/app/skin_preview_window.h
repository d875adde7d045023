#pragma once

#include "app/skin_preview_source.h"
#include "platform/qt_frameless_window.h"

#include <functional>
#include <memory>
#include <vector>

namespace tessaly::skin {
class ImageList;
class SkinData;
class SkinFrame;
class SkinHint;
class SkinPopupMenu;
class SkinStdLabel;
class PopupMenuOpener;
}

namespace tessaly::app {

// The window for people who make skins ("tessaly --preview-skin PATH"):
// every kind of control in each of its states and modes, worn in the skin
// at PATH, with a menu of every item kind and a hint. When the skin's files
// change it loads the skin again; a skin that fails to load leaves the last
// good one on and shows the loader's message in the window.
class SkinPreviewWindow : public platform::FramelessWindow {
public:
    explicit SkinPreviewWindow(const QString& path);
    // Shows a registry the caller keeps (the review sheet's); nothing is
    // watched or loaded again.
    explicit SkinPreviewWindow(skin::SkinData& skin);
    ~SkinPreviewWindow() override;

    skin::SkinFrame* frame() const { return m_frame.get(); }
    skin::SkinData* skinData() const { return m_skinData; }
    // The loader's message for the last attempt, empty when it loaded.
    const QString& message() const { return m_message; }
    // Loads the skin again now (nothing for a registry of the caller's).
    void reload();
    // Puts the controls that show a state into it (hot, pressed, focused),
    // as the pointer and the keyboard would; the window must be shown.
    void showStates();
    // Opens the menu and the hint, for pictures of the window.
    void openMenuAndHint();

    // Wears `skin`: every control and the frame take it; the previous
    // registry is freed.
    void wear(std::unique_ptr<skin::SkinData> skin);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp(skin::SkinData* skin);
    void bindAll(skin::SkinData* skin);
    void buildControls();
    // Binds a skinned control to the current registry now and to every
    // later one.
    template <class Control>
    Control* bound(Control* control);
    // The same, wearing the record `preferred` when the skin has it (a
    // record made for that feature), else `fallback`.
    template <class Control>
    Control* boundPreferring(Control* control, std::string preferred, std::string fallback);
    void showMessage(const QString& message);

    std::unique_ptr<SkinPreviewSource> m_source; // none for a registry of the caller's
    std::unique_ptr<skin::SkinData> m_ownedSkin;
    skin::SkinData* m_skinData = nullptr;
    std::unique_ptr<skin::SkinFrame> m_frame;
    std::unique_ptr<skin::SkinHint> m_hint;
    std::unique_ptr<skin::SkinPopupMenu> m_menu;
    std::unique_ptr<skin::PopupMenuOpener> m_menuOpener;
    std::unique_ptr<skin::ImageList> m_images;
    std::unique_ptr<skin::ImageList> m_hintImages;
    std::vector<std::function<void(skin::SkinData*)>> m_binders;
    std::vector<std::function<void()>> m_stateSetters;
    skin::SkinStdLabel* m_messageLabel = nullptr;
    QWidget* m_menuButton = nullptr;
    QWidget* m_hintButton = nullptr;
    QWidget* m_focusedButton = nullptr;
    QString m_message;
};

// Runs the preview of the skin at `path` until its window is closed.
int runSkinPreview(const QString& path);

} // namespace tessaly::app
