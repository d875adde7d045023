#pragma once

#include "app/report_text_view.h"

class QAbstractScrollArea;

namespace tessaly::skin {
struct RecordBinding;
class SkinData;
} // namespace tessaly::skin

namespace tessaly::app {

// What the program's skinned lists (the messages, the books) share: a
// scroll area with a skinned vertical bar that wears the "listview" record
// over the colours the window gives it.

// Sets the area up as a list: a skinned vertical bar as needed, none across,
// focus by Tab and by click, and the viewport painted by the list alone.
void setUpSkinnedList(QAbstractScrollArea& list);

// Gives the list's scroll bar the registry the list wears.
void setSkinnedListScrollBarData(QAbstractScrollArea& list, skin::SkinData* skinData);

// The colours the list paints with: the window's, with the bound record's
// background and text over them. Sets the list's font (the record's, or
// the window's without one) and the scroll bar's colours on the way.
ReportTextView::Colours applyListRecord(QAbstractScrollArea& list, const skin::RecordBinding& binding,
                                        const ReportTextView::Colours& windowColours);

} // namespace tessaly::app
