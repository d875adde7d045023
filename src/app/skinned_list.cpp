#include "app/skinned_list.h"

#include "skin/controls/skin_bound.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/data/control_records.h"
#include "skin/paint/bitmap_canvas.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

namespace tessaly::app {

void setUpSkinnedList(QAbstractScrollArea& list)
{
    list.setVerticalScrollBar(new skin::SkinScrollBar);
    list.setFocusPolicy(Qt::StrongFocus);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list.viewport()->setAutoFillBackground(false);
}

void setSkinnedListScrollBarData(QAbstractScrollArea& list, skin::SkinData* skinData)
{
    if (auto* bar = dynamic_cast<skin::SkinScrollBar*>(list.verticalScrollBar()))
        bar->setSkinData(skinData);
}

ReportTextView::Colours applyListRecord(QAbstractScrollArea& list, const skin::RecordBinding& binding,
                                        const ReportTextView::Colours& windowColours)
{
    ReportTextView::Colours colours = windowColours;
    if (const auto* record = binding.recordAs<skin::DataSkinListView>()) {
        colours.window = skin::qColorOf(record->bgColor);
        colours.windowText = skin::qColorOf(record->fontColor);
        list.setFont(skin::fontOf(skin::Font{record->fontName, record->fontHeight, record->fontStyle, record->fontColor}));
    } else {
        list.setFont(QFont()); // the window's font again
    }
    QPalette palette = list.verticalScrollBar()->palette();
    palette.setColor(QPalette::Button, windowColours.face);
    palette.setColor(QPalette::Window, windowColours.face);
    palette.setColor(QPalette::ButtonText, windowColours.faceText);
    list.verticalScrollBar()->setPalette(palette);
    return colours;
}

} // namespace tessaly::app
