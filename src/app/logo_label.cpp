#include "app/logo_label.h"

#include "skin/data/control_records.h"
#include "skin/data/skin_data.h"
#include "skin/paint/bitmap_canvas.h"

#include <QPixmap>

namespace tessaly::app {

LogoLabel::LogoLabel(QImage logo, QWidget* parent)
    : QLabel(parent)
    , m_logo(std::move(logo))
{
    setPixmap(QPixmap::fromImage(m_logo));
}

void LogoLabel::setSkinData(skin::SkinData* skinData)
{
    m_skinData = skinData;
    changeSkinData();
}

void LogoLabel::beforeChangeSkinData()
{
    m_index = -1;
}

void LogoLabel::changeSkinData()
{
    m_index = (!m_skinData || m_skinData->empty()) ? -1 : m_skinData->getControlIndex(m_skinDataName);
    const auto* record = m_index == -1 ? nullptr
                                       : dynamic_cast<const skin::DataSkinStdLabelControl*>(
                                             m_skinData->ctrlList()[std::size_t(m_index)].get());
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
