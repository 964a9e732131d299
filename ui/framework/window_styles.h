// Windows' window, dialog and control style values, for portable code that must not include
// windows.h: the native dialog manager, the resource-script reader and their tests.
#pragma once
#include <cstdint>

// Names are kCamelCase rather than Windows' own, which windows.h defines as macros.
namespace style {

// WS_*
constexpr std::uint32_t kOverlapped = 0x00000000;
constexpr std::uint32_t kPopup = 0x80000000;
constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kMinimize = 0x20000000;
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kDisabled = 0x08000000;
constexpr std::uint32_t kClipSiblings = 0x04000000;
constexpr std::uint32_t kClipChildren = 0x02000000;
constexpr std::uint32_t kMaximize = 0x01000000;
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kDlgFrame = 0x00400000;
constexpr std::uint32_t kCaption = kBorder | kDlgFrame;
constexpr std::uint32_t kVScroll = 0x00200000;
constexpr std::uint32_t kHScroll = 0x00100000;
constexpr std::uint32_t kSysMenu = 0x00080000;
constexpr std::uint32_t kThickFrame = 0x00040000;
// The same bits mean different things in a top-level window and in a control.
constexpr std::uint32_t kGroup = 0x00020000;
constexpr std::uint32_t kTabStop = 0x00010000;
constexpr std::uint32_t kMinimizeBox = 0x00020000;
constexpr std::uint32_t kMaximizeBox = 0x00010000;
constexpr std::uint32_t kOverlappedWindow =
    kOverlapped | kCaption | kSysMenu | kThickFrame | kMinimizeBox | kMaximizeBox;
constexpr std::uint32_t kPopupWindow = kPopup | kBorder | kSysMenu;

// WS_EX_*
namespace ex {
constexpr std::uint32_t kDlgModalFrame = 0x00000001;
constexpr std::uint32_t kNoParentNotify = 0x00000004;
constexpr std::uint32_t kTopmost = 0x00000008;
constexpr std::uint32_t kAcceptFiles = 0x00000010;
constexpr std::uint32_t kTransparent = 0x00000020;
constexpr std::uint32_t kMdiChild = 0x00000040;
constexpr std::uint32_t kToolWindow = 0x00000080;
constexpr std::uint32_t kWindowEdge = 0x00000100;
constexpr std::uint32_t kClientEdge = 0x00000200;
constexpr std::uint32_t kContextHelp = 0x00000400;
constexpr std::uint32_t kRight = 0x00001000;
constexpr std::uint32_t kRtlReading = 0x00002000;
constexpr std::uint32_t kLeftScrollBar = 0x00004000;
constexpr std::uint32_t kControlParent = 0x00010000;
constexpr std::uint32_t kStaticEdge = 0x00020000;
constexpr std::uint32_t kAppWindow = 0x00040000;
constexpr std::uint32_t kLayered = 0x00080000;
constexpr std::uint32_t kNoInheritLayout = 0x00100000;
constexpr std::uint32_t kLayoutRtl = 0x00400000;
constexpr std::uint32_t kComposited = 0x02000000;
constexpr std::uint32_t kNoActivate = 0x08000000;
}  // namespace ex

// DS_*
namespace dialog {
constexpr std::uint32_t kAbsAlign = 0x0001;
constexpr std::uint32_t kSysModal = 0x0002;
constexpr std::uint32_t k3dLook = 0x0004;
constexpr std::uint32_t kFixedSys = 0x0008;
constexpr std::uint32_t kNoFailCreate = 0x0010;
constexpr std::uint32_t kLocalEdit = 0x0020;
constexpr std::uint32_t kSetFont = 0x0040;
constexpr std::uint32_t kModalFrame = 0x0080;
constexpr std::uint32_t kNoIdleMsg = 0x0100;
constexpr std::uint32_t kSetForeground = 0x0200;
constexpr std::uint32_t kControl = 0x0400;
constexpr std::uint32_t kCenter = 0x0800;
constexpr std::uint32_t kCenterMouse = 0x1000;
constexpr std::uint32_t kContextHelp = 0x2000;
constexpr std::uint32_t kShellFont = kSetFont | kFixedSys;
}  // namespace dialog

// BS_*
namespace button {
constexpr std::uint32_t kPushButton = 0x0000;
constexpr std::uint32_t kDefPushButton = 0x0001;
constexpr std::uint32_t kCheckBox = 0x0002;
constexpr std::uint32_t kAutoCheckBox = 0x0003;
constexpr std::uint32_t kRadioButton = 0x0004;
constexpr std::uint32_t k3State = 0x0005;
constexpr std::uint32_t kAuto3State = 0x0006;
constexpr std::uint32_t kGroupBox = 0x0007;
constexpr std::uint32_t kUserButton = 0x0008;
constexpr std::uint32_t kAutoRadioButton = 0x0009;
constexpr std::uint32_t kPushBox = 0x000A;
constexpr std::uint32_t kOwnerDraw = 0x000B;
constexpr std::uint32_t kTypeMask = 0x000F;  // the values above are a type, not bits
constexpr std::uint32_t kLeftText = 0x0020;
constexpr std::uint32_t kText = 0x0000;
constexpr std::uint32_t kIcon = 0x0040;
constexpr std::uint32_t kBitmap = 0x0080;
constexpr std::uint32_t kLeft = 0x0100;
constexpr std::uint32_t kRight = 0x0200;
constexpr std::uint32_t kCenter = 0x0300;
constexpr std::uint32_t kTop = 0x0400;
constexpr std::uint32_t kBottom = 0x0800;
constexpr std::uint32_t kVCenter = 0x0C00;
constexpr std::uint32_t kPushLike = 0x1000;
constexpr std::uint32_t kMultiLine = 0x2000;
constexpr std::uint32_t kNotify = 0x4000;
constexpr std::uint32_t kFlat = 0x8000;
}  // namespace button

// ES_*
namespace edit {
constexpr std::uint32_t kLeft = 0x0000;
constexpr std::uint32_t kCenter = 0x0001;
constexpr std::uint32_t kRight = 0x0002;
constexpr std::uint32_t kMultiLine = 0x0004;
constexpr std::uint32_t kUpperCase = 0x0008;
constexpr std::uint32_t kLowerCase = 0x0010;
constexpr std::uint32_t kPassword = 0x0020;
constexpr std::uint32_t kAutoVScroll = 0x0040;
constexpr std::uint32_t kAutoHScroll = 0x0080;
constexpr std::uint32_t kNoHideSel = 0x0100;
constexpr std::uint32_t kOemConvert = 0x0400;
constexpr std::uint32_t kReadOnly = 0x0800;
constexpr std::uint32_t kWantReturn = 0x1000;
constexpr std::uint32_t kNumber = 0x2000;
}  // namespace edit

// LBS_*
namespace listbox {
constexpr std::uint32_t kNotify = 0x0001;
constexpr std::uint32_t kSort = 0x0002;
constexpr std::uint32_t kNoRedraw = 0x0004;
constexpr std::uint32_t kMultipleSel = 0x0008;
constexpr std::uint32_t kOwnerDrawFixed = 0x0010;
constexpr std::uint32_t kOwnerDrawVariable = 0x0020;
constexpr std::uint32_t kHasStrings = 0x0040;
constexpr std::uint32_t kUseTabStops = 0x0080;
constexpr std::uint32_t kNoIntegralHeight = 0x0100;
constexpr std::uint32_t kMultiColumn = 0x0200;
constexpr std::uint32_t kWantKeyboardInput = 0x0400;
constexpr std::uint32_t kExtendedSel = 0x0800;
constexpr std::uint32_t kDisableNoScroll = 0x1000;
constexpr std::uint32_t kNoData = 0x2000;
constexpr std::uint32_t kNoSel = 0x4000;
constexpr std::uint32_t kComboBox = 0x8000;
constexpr std::uint32_t kStandard = kNotify | kSort | kVScroll | kBorder;
}  // namespace listbox

// CBS_*
namespace combo {
constexpr std::uint32_t kSimple = 0x0001;
constexpr std::uint32_t kDropDown = 0x0002;
constexpr std::uint32_t kDropDownList = 0x0003;
constexpr std::uint32_t kTypeMask = 0x0003;  // the three above are a type, not bits
constexpr std::uint32_t kOwnerDrawFixed = 0x0010;
constexpr std::uint32_t kOwnerDrawVariable = 0x0020;
constexpr std::uint32_t kAutoHScroll = 0x0040;
constexpr std::uint32_t kOemConvert = 0x0080;
constexpr std::uint32_t kSort = 0x0100;
constexpr std::uint32_t kHasStrings = 0x0200;
constexpr std::uint32_t kNoIntegralHeight = 0x0400;
constexpr std::uint32_t kDisableNoScroll = 0x0800;
constexpr std::uint32_t kUpperCase = 0x2000;
constexpr std::uint32_t kLowerCase = 0x4000;
}  // namespace combo

// SS_* (static controls: LTEXT, CTEXT, RTEXT)
namespace label {
constexpr std::uint32_t kLeft = 0x0000;
constexpr std::uint32_t kCenter = 0x0001;
constexpr std::uint32_t kRight = 0x0002;
constexpr std::uint32_t kIcon = 0x0003;
constexpr std::uint32_t kBlackRect = 0x0004;
constexpr std::uint32_t kGrayRect = 0x0005;
constexpr std::uint32_t kWhiteRect = 0x0006;
constexpr std::uint32_t kBlackFrame = 0x0007;
constexpr std::uint32_t kGrayFrame = 0x0008;
constexpr std::uint32_t kWhiteFrame = 0x0009;
constexpr std::uint32_t kSimple = 0x000B;
constexpr std::uint32_t kLeftNoWordWrap = 0x000C;
constexpr std::uint32_t kOwnerDraw = 0x000D;
constexpr std::uint32_t kBitmap = 0x000E;
constexpr std::uint32_t kEtchedHorz = 0x0010;
constexpr std::uint32_t kEtchedVert = 0x0011;
constexpr std::uint32_t kEtchedFrame = 0x0012;
constexpr std::uint32_t kTypeMask = 0x001F;  // the values above are a type, not bits
constexpr std::uint32_t kNoPrefix = 0x0080;
constexpr std::uint32_t kNotify = 0x0100;
constexpr std::uint32_t kCenterImage = 0x0200;
constexpr std::uint32_t kRightJust = 0x0400;
constexpr std::uint32_t kSunken = 0x1000;
constexpr std::uint32_t kEndEllipsis = 0x4000;
constexpr std::uint32_t kPathEllipsis = 0x8000;
constexpr std::uint32_t kWordEllipsis = 0xC000;
}  // namespace label

// Windows' names for the values above, as a resource script writes them.
struct NamedStyle {
    const char* name;
    std::uint32_t value;
};

inline constexpr NamedStyle kNames[] = {
    {"WS_OVERLAPPED", kOverlapped},
    {"WS_TILED", kOverlapped},
    {"WS_POPUP", kPopup},
    {"WS_CHILD", kChild},
    {"WS_CHILDWINDOW", kChild},
    {"WS_MINIMIZE", kMinimize},
    {"WS_ICONIC", kMinimize},
    {"WS_VISIBLE", kVisible},
    {"WS_DISABLED", kDisabled},
    {"WS_CLIPSIBLINGS", kClipSiblings},
    {"WS_CLIPCHILDREN", kClipChildren},
    {"WS_MAXIMIZE", kMaximize},
    {"WS_CAPTION", kCaption},
    {"WS_BORDER", kBorder},
    {"WS_DLGFRAME", kDlgFrame},
    {"WS_VSCROLL", kVScroll},
    {"WS_HSCROLL", kHScroll},
    {"WS_SYSMENU", kSysMenu},
    {"WS_THICKFRAME", kThickFrame},
    {"WS_SIZEBOX", kThickFrame},
    {"WS_GROUP", kGroup},
    {"WS_TABSTOP", kTabStop},
    {"WS_MINIMIZEBOX", kMinimizeBox},
    {"WS_MAXIMIZEBOX", kMaximizeBox},
    {"WS_OVERLAPPEDWINDOW", kOverlappedWindow},
    {"WS_TILEDWINDOW", kOverlappedWindow},
    {"WS_POPUPWINDOW", kPopupWindow},

    {"WS_EX_DLGMODALFRAME", ex::kDlgModalFrame},
    {"WS_EX_NOPARENTNOTIFY", ex::kNoParentNotify},
    {"WS_EX_TOPMOST", ex::kTopmost},
    {"WS_EX_ACCEPTFILES", ex::kAcceptFiles},
    {"WS_EX_TRANSPARENT", ex::kTransparent},
    {"WS_EX_MDICHILD", ex::kMdiChild},
    {"WS_EX_TOOLWINDOW", ex::kToolWindow},
    {"WS_EX_WINDOWEDGE", ex::kWindowEdge},
    {"WS_EX_CLIENTEDGE", ex::kClientEdge},
    {"WS_EX_CONTEXTHELP", ex::kContextHelp},
    {"WS_EX_RIGHT", ex::kRight},
    {"WS_EX_LEFT", 0},
    {"WS_EX_RTLREADING", ex::kRtlReading},
    {"WS_EX_LTRREADING", 0},
    {"WS_EX_LEFTSCROLLBAR", ex::kLeftScrollBar},
    {"WS_EX_RIGHTSCROLLBAR", 0},
    {"WS_EX_CONTROLPARENT", ex::kControlParent},
    {"WS_EX_STATICEDGE", ex::kStaticEdge},
    {"WS_EX_APPWINDOW", ex::kAppWindow},
    {"WS_EX_LAYERED", ex::kLayered},
    {"WS_EX_NOINHERITLAYOUT", ex::kNoInheritLayout},
    {"WS_EX_LAYOUTRTL", ex::kLayoutRtl},
    {"WS_EX_COMPOSITED", ex::kComposited},
    {"WS_EX_NOACTIVATE", ex::kNoActivate},
    {"WS_EX_OVERLAPPEDWINDOW", ex::kWindowEdge | ex::kClientEdge},
    {"WS_EX_PALETTEWINDOW", ex::kWindowEdge | ex::kToolWindow | ex::kTopmost},

    {"DS_ABSALIGN", dialog::kAbsAlign},
    {"DS_SYSMODAL", dialog::kSysModal},
    {"DS_3DLOOK", dialog::k3dLook},
    {"DS_FIXEDSYS", dialog::kFixedSys},
    {"DS_NOFAILCREATE", dialog::kNoFailCreate},
    {"DS_LOCALEDIT", dialog::kLocalEdit},
    {"DS_SETFONT", dialog::kSetFont},
    {"DS_MODALFRAME", dialog::kModalFrame},
    {"DS_NOIDLEMSG", dialog::kNoIdleMsg},
    {"DS_SETFOREGROUND", dialog::kSetForeground},
    {"DS_CONTROL", dialog::kControl},
    {"DS_CENTER", dialog::kCenter},
    {"DS_CENTERMOUSE", dialog::kCenterMouse},
    {"DS_CONTEXTHELP", dialog::kContextHelp},
    {"DS_SHELLFONT", dialog::kShellFont},

    {"BS_PUSHBUTTON", button::kPushButton},
    {"BS_DEFPUSHBUTTON", button::kDefPushButton},
    {"BS_CHECKBOX", button::kCheckBox},
    {"BS_AUTOCHECKBOX", button::kAutoCheckBox},
    {"BS_RADIOBUTTON", button::kRadioButton},
    {"BS_3STATE", button::k3State},
    {"BS_AUTO3STATE", button::kAuto3State},
    {"BS_GROUPBOX", button::kGroupBox},
    {"BS_USERBUTTON", button::kUserButton},
    {"BS_AUTORADIOBUTTON", button::kAutoRadioButton},
    {"BS_PUSHBOX", button::kPushBox},
    {"BS_OWNERDRAW", button::kOwnerDraw},
    {"BS_TYPEMASK", button::kTypeMask},
    {"BS_LEFTTEXT", button::kLeftText},
    {"BS_RIGHTBUTTON", button::kLeftText},
    {"BS_TEXT", button::kText},
    {"BS_ICON", button::kIcon},
    {"BS_BITMAP", button::kBitmap},
    {"BS_LEFT", button::kLeft},
    {"BS_RIGHT", button::kRight},
    {"BS_CENTER", button::kCenter},
    {"BS_TOP", button::kTop},
    {"BS_BOTTOM", button::kBottom},
    {"BS_VCENTER", button::kVCenter},
    {"BS_PUSHLIKE", button::kPushLike},
    {"BS_MULTILINE", button::kMultiLine},
    {"BS_NOTIFY", button::kNotify},
    {"BS_FLAT", button::kFlat},

    {"ES_LEFT", edit::kLeft},
    {"ES_CENTER", edit::kCenter},
    {"ES_RIGHT", edit::kRight},
    {"ES_MULTILINE", edit::kMultiLine},
    {"ES_UPPERCASE", edit::kUpperCase},
    {"ES_LOWERCASE", edit::kLowerCase},
    {"ES_PASSWORD", edit::kPassword},
    {"ES_AUTOVSCROLL", edit::kAutoVScroll},
    {"ES_AUTOHSCROLL", edit::kAutoHScroll},
    {"ES_NOHIDESEL", edit::kNoHideSel},
    {"ES_OEMCONVERT", edit::kOemConvert},
    {"ES_READONLY", edit::kReadOnly},
    {"ES_WANTRETURN", edit::kWantReturn},
    {"ES_NUMBER", edit::kNumber},

    {"LBS_NOTIFY", listbox::kNotify},
    {"LBS_SORT", listbox::kSort},
    {"LBS_NOREDRAW", listbox::kNoRedraw},
    {"LBS_MULTIPLESEL", listbox::kMultipleSel},
    {"LBS_OWNERDRAWFIXED", listbox::kOwnerDrawFixed},
    {"LBS_OWNERDRAWVARIABLE", listbox::kOwnerDrawVariable},
    {"LBS_HASSTRINGS", listbox::kHasStrings},
    {"LBS_USETABSTOPS", listbox::kUseTabStops},
    {"LBS_NOINTEGRALHEIGHT", listbox::kNoIntegralHeight},
    {"LBS_MULTICOLUMN", listbox::kMultiColumn},
    {"LBS_WANTKEYBOARDINPUT", listbox::kWantKeyboardInput},
    {"LBS_EXTENDEDSEL", listbox::kExtendedSel},
    {"LBS_DISABLENOSCROLL", listbox::kDisableNoScroll},
    {"LBS_NODATA", listbox::kNoData},
    {"LBS_NOSEL", listbox::kNoSel},
    {"LBS_COMBOBOX", listbox::kComboBox},
    {"LBS_STANDARD", listbox::kStandard},

    {"CBS_SIMPLE", combo::kSimple},
    {"CBS_DROPDOWN", combo::kDropDown},
    {"CBS_DROPDOWNLIST", combo::kDropDownList},
    {"CBS_OWNERDRAWFIXED", combo::kOwnerDrawFixed},
    {"CBS_OWNERDRAWVARIABLE", combo::kOwnerDrawVariable},
    {"CBS_AUTOHSCROLL", combo::kAutoHScroll},
    {"CBS_OEMCONVERT", combo::kOemConvert},
    {"CBS_SORT", combo::kSort},
    {"CBS_HASSTRINGS", combo::kHasStrings},
    {"CBS_NOINTEGRALHEIGHT", combo::kNoIntegralHeight},
    {"CBS_DISABLENOSCROLL", combo::kDisableNoScroll},
    {"CBS_UPPERCASE", combo::kUpperCase},
    {"CBS_LOWERCASE", combo::kLowerCase},

    {"SS_LEFT", label::kLeft},
    {"SS_CENTER", label::kCenter},
    {"SS_RIGHT", label::kRight},
    {"SS_ICON", label::kIcon},
    {"SS_BLACKRECT", label::kBlackRect},
    {"SS_GRAYRECT", label::kGrayRect},
    {"SS_WHITERECT", label::kWhiteRect},
    {"SS_BLACKFRAME", label::kBlackFrame},
    {"SS_GRAYFRAME", label::kGrayFrame},
    {"SS_WHITEFRAME", label::kWhiteFrame},
    {"SS_SIMPLE", label::kSimple},
    {"SS_LEFTNOWORDWRAP", label::kLeftNoWordWrap},
    {"SS_OWNERDRAW", label::kOwnerDraw},
    {"SS_BITMAP", label::kBitmap},
    {"SS_ETCHEDHORZ", label::kEtchedHorz},
    {"SS_ETCHEDVERT", label::kEtchedVert},
    {"SS_ETCHEDFRAME", label::kEtchedFrame},
    {"SS_TYPEMASK", label::kTypeMask},
    {"SS_NOPREFIX", label::kNoPrefix},
    {"SS_NOTIFY", label::kNotify},
    {"SS_CENTERIMAGE", label::kCenterImage},
    {"SS_RIGHTJUST", label::kRightJust},
    {"SS_SUNKEN", label::kSunken},
    {"SS_ENDELLIPSIS", label::kEndEllipsis},
    {"SS_PATHELLIPSIS", label::kPathEllipsis},
    {"SS_WORDELLIPSIS", label::kWordEllipsis},
};

}  // namespace style
