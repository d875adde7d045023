#pragma once

#include "platform/qt_frameless_window.h"

#include <QWidget>
#include <memory>

namespace tessaly::skin {
class SkinData;
class SkinFrame;
class SkinLinkLabel;
class SkinStdLabel;
}

namespace tessaly::app {

// The About window: logo, product name, version, maker line and the link to
// the maker's web page. Created hidden; closing it only hides it. The
// version and maker lines take the main window's skin (when given).
class AboutWindow : public platform::FramelessWindow {
public:
    // Without a registry of its own, a main window that is a MainWindow lends
    // its registry.
    explicit AboutWindow(QWidget* mainWindow, skin::SkinData* skinData = nullptr);
    ~AboutWindow() override;

    skin::SkinLinkLabel* webSiteLink() const { return m_webSiteLink; }
    skin::SkinFrame* frame() const { return m_frame.get(); }

    // Each time it is shown, the window is placed centred over the main window.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createLabels();
    skin::SkinStdLabel* addLabel(const QString& text, const QRect& geometry, const char* family, int height,
                                 bool bold, bool useSkinFont);
    void centreOverMainWindow();

    QWidget* m_mainWindow;
    skin::SkinData* m_skinData;
    skin::SkinLinkLabel* m_webSiteLink = nullptr;
    std::unique_ptr<skin::SkinFrame> m_frame;
};

} // namespace tessaly::app
