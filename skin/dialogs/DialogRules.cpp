#include "skin/dialogs/DialogRules.h"

#include <string>

#include "skin/frame/TitleBar.h"
#include "skin/pixels/TextCanvas.h"

namespace {

// Window styles (the platform's values).
constexpr uint32_t Popup = 0x80000000;       // WS_POPUP
constexpr uint32_t Caption = 0x00C00000;     // WS_CAPTION
constexpr uint32_t SystemMenu = 0x00080000;  // WS_SYSMENU
constexpr uint32_t ThickFrame = 0x00040000;  // WS_THICKFRAME
constexpr uint32_t MinimizeBox = 0x00020000; // WS_MINIMIZEBOX
constexpr uint32_t MaximizeBox = 0x00010000; // WS_MAXIMIZEBOX
constexpr uint32_t ModalFrame = 0x80;        // DS_MODALFRAME
constexpr uint32_t ToolWindow = 0x80;        // WS_EX_TOOLWINDOW
constexpr uint32_t ContextHelp = 0x400;      // WS_EX_CONTEXTHELP

// Static and button types (SS_TYPEMASK, BS_TYPEMASK).
enum : uint32_t {
  SsLeft = 0x0,
  SsCenter = 0x1,
  SsRight = 0x2,
  SsIcon = 0x3,
  SsGrayRect = 0x5,
  SsWhiteRect = 0x6,
  SsSimple = 0xB,
  SsLeftNoWordWrap = 0xC,
  SsOwnerDraw = 0xD,
  SsBitmap = 0xE,
  SsEnhMetaFile = 0xF,
  SsTypeMask = 0x1F,
  BsCheckBox = 0x2,
  BsAutoCheckBox = 0x3,
  BsRadioButton = 0x4,
  Bs3State = 0x5,
  BsAuto3State = 0x6,
  BsGroupBox = 0x7,
  BsAutoRadioButton = 0x9,
  BsOwnerDraw = 0xB,
  BsTypeMask = 0xF,
};
constexpr uint32_t SsNoPrefix = 0x80, SsCenterImage = 0x200, SsEditControl = 0x2000, SsEllipsisMask = 0xC000;
constexpr uint32_t SsEndEllipsis = 0x4000, SsPathEllipsis = 0x8000, SsWordEllipsis = 0xC000;
constexpr uint32_t ToolBarList = 0x200; // a toolbar that lies in a bar

// DrawText flags.
constexpr uint32_t DtEditControl = 0x2000, DtPathEllipsis = 0x4000, DtEndEllipsis = 0x8000;
constexpr uint32_t DtWordEllipsis = 0x40000;

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char &c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

TacChildChoice StaticChoice(uint32_t style) {
  switch (style & SsTypeMask) {
  case SsIcon:
  case SsBitmap: return {TacChildAdapter::Icon, "CHECKBOX"};
  case SsOwnerDraw:
  case SsEnhMetaFile:
  case SsGrayRect:
  case SsWhiteRect:
  case SsSimple: return {};
  default: return {TacChildAdapter::Static, "CHECKBOX"};
  }
}

TacChildChoice ButtonChoice(uint32_t style) {
  switch (style & BsTypeMask) {
  case BsGroupBox: return {TacChildAdapter::GroupBox, "GROUPBOX"};
  case BsCheckBox:
  case BsAutoCheckBox:
  case Bs3State:
  case BsAuto3State:
  case BsRadioButton:
  case BsAutoRadioButton: return {TacChildAdapter::CheckBox, "CHECKBOX"};
  // The program draws an owner-drawn button itself: a skinned face would hide what it draws.
  case BsOwnerDraw: return {};
  default: return {TacChildAdapter::PushButton, "BUTTON"};
  }
}

} // namespace

TacDialogBorder DialogBorderOf(uint32_t style) {
  if ((style & Popup) && (style & Caption) != Caption) return TacDialogBorder::Popup;
  if (style & ThickFrame) return TacDialogBorder::Framed;
  if (style & ModalFrame) return TacDialogBorder::Modal;
  return TacDialogBorder::Framed;
}

TsBorderKind DialogFrameBorder(uint32_t style, uint32_t exStyle) {
  const bool sizing = style & ThickFrame, tool = exStyle & ToolWindow;
  switch (DialogBorderOf(style)) {
  case TacDialogBorder::Popup: return TsBorderKind::bsNone;
  case TacDialogBorder::Modal: return tool ? TsBorderKind::bsToolWindow : TsBorderKind::bsDialog;
  case TacDialogBorder::Framed: break;
  }
  if (tool) return sizing ? TsBorderKind::bsSizeToolWin : TsBorderKind::bsToolWindow;
  return sizing ? TsBorderKind::bsSizeable : TsBorderKind::bsSingle;
}

uint32_t DialogTitleIcons(uint32_t style, uint32_t exStyle) {
  uint32_t icons = 0;
  if (style & SystemMenu) icons |= TitleIcons::SystemMenu;
  if (style & MinimizeBox) icons |= TitleIcons::Minimize;
  if (style & MaximizeBox) icons |= TitleIcons::Maximize;
  if (exStyle & ContextHelp) icons |= TitleIcons::Help;
  return icons;
}

TsTitleRules DialogMenuRules(uint32_t style, bool iconic, bool zoomed) {
  const bool framed = DialogBorderOf(style) == TacDialogBorder::Framed;
  const bool minimizeBox = style & MinimizeBox, maximizeBox = style & MaximizeBox;
  TsTitleRules r;
  r.RestoreVisible = framed && (style & SystemMenu);
  r.RestoreEnabled = maximizeBox && (iconic || zoomed);
  r.MoveEnabled = !zoomed;
  r.SizeVisible = framed;
  r.SizeEnabled = !iconic;
  r.MinVisible = minimizeBox;
  r.MinEnabled = minimizeBox && !iconic;
  r.MaxVisible = maximizeBox;
  r.MaxEnabled = maximizeBox && !zoomed && framed;
  r.CloseVisible = style & SystemMenu;
  return r;
}

TacChildChoice ChildAdapterFor(std::string_view className, uint32_t style, TSize size) {
  const std::string name = Lower(className);
  if (name == "static") return StaticChoice(style);
  if (name == "button") return ButtonChoice(style);
  if (name == "#32770" || name.find("shbrowseforfolder") != std::string::npos)
    return {TacChildAdapter::TransPanel, "CHECKBOX"};
  if (name == "tpanel" || name == "tsilentpaintpanel") return {TacChildAdapter::DialogPanel, "PANEL"};
  if (name == "combobox" || name == "comboboxex32") return {TacChildAdapter::ComboBox, "COMBOBOX"};
  if (name == "combolbox") return {TacChildAdapter::ComboList, "COMBOBOX"};
  if (name == "scrollbar") return {TacChildAdapter::Sizer, "CHECKBOX"};
  if (name == "systabcontrol32")
    return size == TSize{470, 349} ? TacChildChoice{TacChildAdapter::Veto, {}} : TacChildChoice{};
  if (name == "syslistview32") return {TacChildAdapter::ListView, "EDIT"};
  if (name == "msctls_updown32") return {TacChildAdapter::Spin, "SPEEDBUTTON_SMALL"};
  if (name == "listbox" || name == "edit") return {TacChildAdapter::Edit, "EDIT"};
  if (name == "systreeview32") return {TacChildAdapter::TreeView, "EDIT"};
  if (name == "link window") return {TacChildAdapter::Link, "CHECKBOX"};
  if (name == "toolbarwindow32") return {TacChildAdapter::ToolBar, (style & ToolBarList) ? "BAR" : "CHECKBOX"};
  return {};
}

uint32_t StaticTextFlags(uint32_t style) {
  uint32_t flags = 0;
  switch (style & SsTypeMask) {
  case SsCenter: flags = TextFlags::Center | TextFlags::ExpandTabs | TextFlags::WordBreak; break;
  case SsRight: flags = TextFlags::Right | TextFlags::ExpandTabs | TextFlags::WordBreak; break;
  case SsLeftNoWordWrap: flags = TextFlags::Left | TextFlags::ExpandTabs; break;
  case SsLeft:
  default: flags = TextFlags::Left | TextFlags::ExpandTabs | TextFlags::WordBreak; break;
  }
  if (style & SsNoPrefix) flags |= TextFlags::NoPrefix;
  if (style & SsCenterImage) flags |= TextFlags::SingleLine | TextFlags::VCenter;
  if (style & SsEditControl) flags |= DtEditControl;
  switch (style & SsEllipsisMask) {
  case SsEndEllipsis: flags |= TextFlags::SingleLine | DtEndEllipsis; break;
  case SsPathEllipsis: flags |= TextFlags::SingleLine | DtPathEllipsis; break;
  case SsWordEllipsis: flags |= TextFlags::SingleLine | DtWordEllipsis; break;
  default: break;
  }
  return flags;
}
