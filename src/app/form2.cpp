#include "app/form2.h"

#include "app/app_fonts.h"
#include "app/frm_main.h"
#include "skin/frame/skin_frame.h"
#include "app/website.h"
#include "platform/qt_window_title.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPixmap>
#include <QUrl>

#include <algorithm>

// The logo lives in the resources of a static library, which the program must
// register itself (outside any namespace).
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace tessaly::app {

namespace {
constexpr int clientWidth = 319;
constexpr int clientHeight = 175;
const QColor clGray(128, 128, 128);
const QColor clBlue(0, 0, 255);
} // namespace

LinkLabel::LinkLabel(const QString& url, QWidget* parent)
    : QLabel(url, parent)
    , m_url(url)
{
    setCursor(Qt::PointingHandCursor);
    setTextColour(Qt::black);
}

void LinkLabel::setTextColour(const QColor& colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void LinkLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    setTextColour(clBlue);
}

void LinkLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    setTextColour(Qt::black);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        QDesktopServices::openUrl(QUrl(m_url));
}

Form2::Form2(QWidget* mainWindow)
    : platform::FramelessWindow(mainWindow, Qt::WindowStaysOnTopHint)
    , m_mainWindow(mainWindow)
{
    registerResources();
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString());
    setFont(designFont("Tahoma", -11));
    setDesignClientSize(QSize(clientWidth, clientHeight));
    m_skSkinFrame1 = std::make_unique<skin::SkinFrame>(this);
    m_skSkinFrame1->setBorderIcons(0);
    if (auto* frmMain = dynamic_cast<FrmMain*>(mainWindow))
        m_skSkinFrame1->setSkinData(&frmMain->skSkinData1());
    createLabels();
}

Form2::~Form2() = default;

void Form2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The window has no title, also where the window manager reads it.
    platform::clearNativeWindowTitle(this);
}

QLabel* Form2::addLabel(const QString& text, const QRect& geometry, const QFont& font, const QColor& colour)
{
    auto* label = new QLabel(text, clientArea());
    // A label is never lower than its font's line, or descenders are cut.
    label->setGeometry(geometry.adjusted(0, 0, 0, std::max(0, QFontMetrics(font).height() - geometry.height())));
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

void Form2::createLabels()
{
    auto* image2 = new QLabel(clientArea());
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setGeometry(59, 11, 200, 46);
    image2->setPixmap(QPixmap(QStringLiteral(":/tessaly/logo.png")));
    image2->setAlignment(Qt::AlignCenter);

    addLabel(QStringLiteral("Version 1.0"), {43, 83, 241, 13}, designFont("Arial", 14), Qt::black)
        ->setObjectName(QStringLiteral("LblType"));
    addLabel(QStringLiteral("Tessaly"), {43, 58, 241, 16}, designFont("Arial", -14, true), Qt::black)
        ->setObjectName(QStringLiteral("skSkinStdLabel3"));
    addLabel(QStringLiteral("\u00a9 2010-2012 The Tessaly Authors"), {42, 104, 241, 13}, designFont("Arial", 14),
        Qt::black)
        ->setObjectName(QStringLiteral("skSkinStdLabel2"));

    QLabel* webSite = addLabel(QStringLiteral("Web site:"), {71, 126, 46, 13}, designFont("Tahoma", -11), Qt::black);
    webSite->setObjectName(QStringLiteral("skSkinStdLabel1"));
    webSite->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    webSite->adjustSize();

    m_skSkinLinkLabel1 = new LinkLabel(QString::fromUtf8(websiteAddress), clientArea());
    m_skSkinLinkLabel1->setObjectName(QStringLiteral("skSkinLinkLabel1"));
    m_skSkinLinkLabel1->setFont(designFont("Arial", 14, false, true));
    // The stand-in fonts run wider than the design's; keep a gap after "Web site:".
    const int webSiteEnd = webSite->x() + webSite->fontMetrics().horizontalAdvance(webSite->text());
    m_skSkinLinkLabel1->move(std::max(122, webSiteEnd + 5), 126);
    m_skSkinLinkLabel1->adjustSize();
}

void Form2::setVisible(bool visible)
{
    if (visible && !isVisible())
        centreOverMainWindow();
    QWidget::setVisible(visible);
}

void Form2::centreOverMainWindow()
{
    if (!m_mainWindow)
        return;
    const QRect main = m_mainWindow->frameGeometry();
    move(main.center() - rect().center());
}

} // namespace tessaly::app
