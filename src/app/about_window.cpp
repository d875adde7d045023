#include "app/about_window.h"

#include "app/logo_label.h"

#include "app/app_fonts.h"
#include "app/main_window.h"
#include "app/website.h"
#include "platform/qt_window_title.h"
#include "skin/frame/skin_frame.h"
#include "skin/controls/skin_link_label.h"
#include "skin/controls/skin_std_label.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>

#include <algorithm>

// The logo lives in the resources of a static library, which the program must
// register itself (outside any namespace).
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace tessaly::app {

namespace {
constexpr int aboutClientWidth = 319;
constexpr int aboutClientHeight = 175;

skin::Font labelFont(const char* family, int height, bool bold = false, bool underline = false)
{
    skin::Font font{family, height, {}, skin::rgbColor(0, 0, 0)};
    font.style.bold = bold;
    font.style.underline = underline;
    return font;
}
} // namespace

AboutWindow::AboutWindow(QWidget* mainWindow, skin::SkinData* skinData)
    : platform::FramelessWindow(mainWindow, Qt::WindowStaysOnTopHint)
    , m_mainWindow(mainWindow)
    , m_skinData(skinData)
{
    registerResources();
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(QString());
    setFont(designFont("Tahoma", -11));
    setDesignClientSize(QSize(aboutClientWidth, aboutClientHeight));
    if (!m_skinData) {
        if (auto* mainWindowWithSkin = dynamic_cast<MainWindow*>(mainWindow))
            m_skinData = &mainWindowWithSkin->skinData();
    }
    m_frame = std::make_unique<skin::SkinFrame>(this);
    m_frame->setBorderIcons(0);
    m_frame->setSkinData(m_skinData);
    // No title on screen, but a reader needs to say which window this is.
    // Named once the frame is there: naming makes the window's accessible
    // interface, which is the frame's only from then on.
    setAccessibleName(QStringLiteral("About Tessaly"));
    createLabels();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    platform::FramelessWindow::keyPressEvent(event);
}

void AboutWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The window has no title, also where the window manager reads it.
    platform::clearNativeWindowTitle(this);
}

skin::SkinStdLabel* AboutWindow::addLabel(const QString& text, const QRect& geometry, const char* family, int height,
                                   bool bold, bool useSkinFont)
{
    auto* label = new skin::SkinStdLabel(text, clientArea());
    label->setDefaultFont(labelFont(family, height, bold));
    label->setUseSkinFont(useSkinFont);
    label->setSkinData(m_skinData);
    // A label is never lower than its font's line, or descenders are cut.
    label->setGeometry(
        geometry.adjusted(0, 0, 0, std::max(0, QFontMetrics(label->font()).height() - geometry.height())));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

void AboutWindow::createLabels()
{
    auto* logoImage = new LogoLabel(QImage(QStringLiteral(":/tessaly/logo.png")), clientArea());
    logoImage->setObjectName(QStringLiteral("logoImage"));
    logoImage->setGeometry(59, 11, 200, 46);
    logoImage->setAlignment(Qt::AlignCenter);
    logoImage->setSkinData(m_skinData);

    // The version and maker lines take the skin's label font; the product
    // name and "Web site:" keep their own fonts. All take the skin's label
    // colour, which a dark skin needs.
    addLabel(QStringLiteral("Version 1.0"), {43, 83, 241, 13}, "Tahoma", -11, false, true)
        ->setObjectName(QStringLiteral("versionLabel"));
    addLabel(QStringLiteral("Tessaly"), {43, 58, 241, 16}, "Arial", -14, true, false)
        ->setObjectName(QStringLiteral("productNameLabel"));
    addLabel(QStringLiteral("\u00a9 2010-2012 The Tessaly Authors"), {42, 104, 241, 13}, "Arial", 14, false, true)
        ->setObjectName(QStringLiteral("makerLabel"));

    skin::SkinStdLabel* webSite
        = addLabel(QStringLiteral("Web site:"), {71, 126, 46, 13}, "Tahoma", -11, false, false);
    webSite->setObjectName(QStringLiteral("webSiteLabel"));
    webSite->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    webSite->adjustSize();

    m_webSiteLink = new skin::SkinLinkLabel(QString::fromUtf8(websiteAddress), clientArea());
    m_webSiteLink->setObjectName(QStringLiteral("webSiteLink"));
    m_webSiteLink->setDefaultFont(labelFont("Arial", 14, false, true));
    m_webSiteLink->setSkinData(m_skinData);
    // The stand-in fonts run wider than the design's; keep a gap after "Web site:".
    const int webSiteEnd = webSite->x() + webSite->fontMetrics().horizontalAdvance(webSite->text());
    m_webSiteLink->move(std::max(122, webSiteEnd + 5), 126);
    m_webSiteLink->adjustSize();
}

void AboutWindow::setVisible(bool visible)
{
    if (visible && !isVisible())
        centreOverMainWindow();
    QWidget::setVisible(visible);
}

void AboutWindow::centreOverMainWindow()
{
    if (!m_mainWindow)
        return;
    const QRect main = m_mainWindow->frameGeometry();
    move(main.center() - rect().center());
}

} // namespace tessaly::app
