#include "app/logo_label.h"

#include "skin/data/control_records.h"
#include "skin/data/skin_data.h"
#include "skin/paint/bitmap_canvas.h"

#include <QPixmap>

namespace tessaly::app {

LogoLabel::LogoLabel(QImage logo, QWidget* parent)
    : QLabel(parent)
    , skin::SkinBound("stdlabel")
    , m_logo(std::move(logo))
{
    setPixmap(QPixmap::fromImage(m_logo));
    // The picture shows the program's name.
    setAccessibleName(QStringLiteral("Tessaly"));
}

void LogoLabel::setSkinData(skin::SkinData* skinData)
{
    m_binding.registry = skinData;
    changeSkinData();
}

void LogoLabel::beforeChangeSkinData()
{
    m_binding.unbind();
}

void LogoLabel::changeSkinData()
{
    m_binding.lookUp();
    const auto* record = m_binding.recordAs<skin::DataSkinStdLabelControl>();
    const QColor text = record ? skin::qColorOf(record->fontColor) : QColor();
    // Light label text means a dark window, where the dark name would vanish.
    const bool lightText = text.isValid() && text.lightnessF() > 0.5;
    setPixmap(QPixmap::fromImage(lightText ? withNameColour(m_logo, text) : m_logo));
}

QImage LogoLabel::withNameColour(const QImage& logo, const QColor& colour)
{
    QImage image = logo.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = MarkWidth; x < image.width(); ++x)
            row[x] = qRgba(colour.red(), colour.green(), colour.blue(), qAlpha(row[x]));
    }
    return image;
}

bool LogoLabel::event(QEvent* event)
{
    // Skin notices relayed by the window's frame.
    return skin::handleSkinNoticeEvent(*this, event) || QLabel::event(event);
}

} // namespace tessaly::app
