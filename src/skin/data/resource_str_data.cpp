#include "skin/data/resource_str_data.h"

#include "skin/data/skin_description.h"

namespace tessaly::skin {

namespace {

constexpr const char* kDefaultStrings[] = {
    // The window frame's system menu and caption buttons.
    "MI_MINCAPTION=Mi&nimize",
    "MI_MAXCAPTION=Ma&ximize",
    "MI_CLOSECAPTION=&Close",
    "MI_RESTORECAPTION=&Restore",
    "MI_MINTOTRAYCAPTION=Minimize to &Tray",
    "MI_ROLLUPCAPTION=Ro&llUp",
    "MINBUTTON_HINT=Minimize",
    "MAXBUTTON_HINT=Maximize",
    "CLOSEBUTTON_HINT=Close",
    "TRAYBUTTON_HINT=Minimize to Tray",
    "ROLLUPBUTTON_HINT=Roll Up",
    "MENUBUTTON_HINT=System menu",
    "RESTORE_HINT=Restore",
    // The edit's context menu.
    "EDIT_UNDO=Undo",
    "EDIT_COPY=Copy",
    "EDIT_CUT=Cut",
    "EDIT_PASTE=Paste",
    "EDIT_DELETE=Delete",
    "EDIT_SELECTALL=Select All",
    // Message boxes and file dialogs.
    "MSG_BTN_YES=&Yes",
    "MSG_BTN_NO=&No",
    "MSG_BTN_OK=OK",
    "MSG_BTN_CANCEL=Cancel",
    "MSG_BTN_ABORT=&Abort",
    "MSG_BTN_RETRY=&Retry",
    "MSG_BTN_IGNORE=&Ignore",
    "MSG_BTN_ALL=&All",
    "MSG_BTN_NOTOALL=N&o to All",
    "MSG_BTN_YESTOALL=Yes to &All",
    "MSG_BTN_HELP=&Help",
    "MSG_BTN_OPEN=&Open",
    "MSG_BTN_SAVE=&Save",
    "MSG_BTN_CLOSE=Close",
    "MSG_BTN_BACK_HINT=Go to the last folder visited",
    "MSG_BTN_UP_HINT=Up one level",
    "MSG_BTN_NEWFOLDER_HINT=Create new folder",
    "MSG_BTN_VIEWMENU_HINT=View menu",
    "MSG_BTN_STRETCH_HINT=Stretch picture",
    "MSG_FILENAME=File name:",
    "MSG_FILETYPE=File type:",
    "MSG_NEWFOLDER=New folder",
    "MSG_LV_DETAILS=Details",
    "MSG_LV_ICON=Large icons",
    "MSG_LV_SMALLICON=Small icons",
    "MSG_LV_LIST=List",
    "MSG_PREVIEWSKIN=Preview",
    "MSG_PREVIEWBUTTON=Preview",
    "MSG_OVERWRITE=Do you want to replace the existing file?",
    "MSG_CAP_WARNING=Warning",
    "MSG_CAP_ERROR=Error",
    "MSG_CAP_INFORMATION=Information",
    "MSG_CAP_CONFIRM=Confirm",
    "MSG_CAP_SHOWFLAG=Do not show this message again",
    // Calculator, colour and font dialogs.
    "CALC_CAP=Calculator",
    "ERROR=Error",
    "COLORGRID_CAP=Basic colors",
    "CUSTOMCOLORGRID_CAP=Custom colors",
    "ADDCUSTOMCOLORBUTTON_CAP=Add to Custom Colors",
    "FONTDLG_COLOR=Color:",
    "FONTDLG_NAME=Name:",
    "FONTDLG_SIZE=Size:",
    "FONTDLG_HEIGHT=Height:",
    "FONTDLG_EXAMPLE=Example",
    "FONTDLG_STYLE=Style",
    "FONTDLG_SCRIPT=Script:",
    // Data controls and drives.
    "DB_DELETE_QUESTION=Delete record?",
    "DB_MULTIPLEDELETE_QUESTION=Delete all selected records?",
    "NODISKINDRIVE=There is no disk in the drive or the drive is not ready",
    "NOVALIDDRIVEID=Not a valid drive ID",
    // File list views.
    "FLV_NAME=Name",
    "FLV_SIZE=Size",
    "FLV_TYPE=Type",
    "FLV_LOOKIN=Look in:",
    "FLV_MODIFIED=Modified",
    "FLV_ATTRIBUTES=Attributes",
    "FLV_DISKSIZE=Disk size",
    "FLV_FREESPACE=Free space",
    // The print dialog.
    "PRNDLG_NAME=Name:",
    "PRNDLG_PRINTER=Printer",
    "PRNDLG_PROPERTIES=Properties...",
    "PRNDLG_TYPE=Type:",
    "PRNDLG_STATUS=Status:",
    "PRNDLG_WHERE=Where:",
    "PRNDLG_COMMENT=Comment:",
    "PRNDLG_PRINTRANGE=Print range",
    "PRNDLG_COPIES=Copies",
    "PRNDLG_NUMCOPIES=Number of copies:",
    "PRNDLG_COLLATE=Collate",
    "PRNDLG_ALL=All",
    "PRNDLG_PAGES=Pages",
    "PRNDLG_SELECTION=Selection",
    "PRNDLG_PRINTTOFILE=Print to file",
    "PRNDLG_FROM=from:",
    "PRNDLG_TO=to:",
    "PRNDLG_ORIENTATION=Orientation",
    "PRNDLG_PAPER=Paper",
    "PRNDLG_PORTRAIT=Portrait",
    "PRNDLG_LANDSCAPE=Landscape",
    "PRNDLG_SOURCE=Source:",
    "PRNDLG_SIZE=Size:",
    "PRNDLG_MARGINS=Margins (millimeters)",
    "PRNDLG_MARGINS_INCHES=Margins (inches)",
    "PRNDLG_LEFT=Left:",
    "PRNDLG_RIGHT=Right:",
    "PRNDLG_TOP=Top:",
    "PRNDLG_BOTTOM=Bottom:",
    "PRNDLG_WARNING=There are no printers installed.",
    // Find and replace.
    "FIND_NEXT=Find Next",
    "FIND_WHAT=Find what:",
    "FIND_DIRECTION=Direction",
    "FIND_DIRECTIONUP=Up",
    "FIND_DIRECTIONDOWN=Down",
    "FIND_MATCH_CASE=Match case",
    "FIND_MATCH_WHOLE_WORD_ONLY=Match whole word only",
    "FIND_REPLACE_WITH=Replace with:",
    "FIND_REPLACE=Replace",
    "FIND_REPLACE_All=Replace All",
    "FIND_REPLACE_CLOSE=Close",
    // Colour pickers.
    "MORECOLORS=More colors...",
    "AUTOCOLOR=Automatic",
    "CUSTOMCOLOR=Custom...",
    // The data navigator.
    "DBNAV_FIRST=First record",
    "DBNAV_PRIOR=Prior record",
    "DBNAV_NEXT=Next record",
    "DBNAV_LAST=Last record",
    "DBNAV_INSERT=Insert record",
    "DBNAV_DELETE=Delete record",
    "DBNAV_EDIT=Edit record",
    "DBNAV_POST=Post edit",
    "DBNAV_CANCEL=Cancel edit",
    "DBNAV_REFRESH=Refresh data",
};

} // namespace

ResourceStrData::ResourceStrData()
    : resStrings(std::begin(kDefaultStrings), std::end(kDefaultStrings))
{
}

std::string ResourceStrData::getResStr(std::string_view resName) const
{
    for (const std::string& line : resStrings) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && equalsIgnoringCase(std::string_view(line).substr(0, equals), resName))
            return line.substr(equals + 1);
    }
    return {};
}

} // namespace tessaly::skin
