#pragma once

#include "platform/qt_frameless_window.h"

#include <QLabel>
#include <QWidget>
#include <memory>

namespace tessaly::skin {
class SkinFrame;
}

namespace tessaly::app {

// A label that shows a web address and opens it when clicked: underlined,
// with a hand cursor, turning blue while the mouse is over it.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& url, QWidget* parent);
    QString url() const { return m_url; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setTextColour(const QColor& colour);

    QString m_url;
};

// The About window: logo, product name, version, maker line and the link to
// the maker's web page. Created hidden; closing it only hides it.
class Form2 : public platform::FramelessWindow {
public:
    // A main window that is a FrmMain lends its skin registry.
    explicit Form2(QWidget* mainWindow);
    ~Form2() override;

    LinkLabel* skSkinLinkLabel1() const { return m_skSkinLinkLabel1; }
    skin::SkinFrame* skSkinFrame1() const { return m_skSkinFrame1.get(); }

    // Each time it is shown, the window is placed centred over the main window.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createLabels();
    QLabel* addLabel(const QString& text, const QRect& geometry, const QFont& font, const QColor& colour);
    void centreOverMainWindow();

    QWidget* m_mainWindow;
    LinkLabel* m_skSkinLinkLabel1 = nullptr;
    std::unique_ptr<skin::SkinFrame> m_skSkinFrame1;
};

} // namespace tessaly::app
