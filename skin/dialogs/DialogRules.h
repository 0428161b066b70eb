#pragma once
// How a system dialog (a window of class "#32770" the program did not make) is skinned, as rules on its
// window styles and class names: the kind of its border and the frame it gets, its title buttons and the
// items of its system menu, and which adapter each of its child windows takes.

#include <cstdint>
#include <string_view>

#include "skin/frame/FrameGeometry.h"
#include "skin/frame/TitleBar.h"
#include "skin/pixels/Geometry.h"

// The border of a system dialog as read from its style when it is taken over: a captionless popup
// (Popup), a sizing frame or any other caption (Framed), a modal dialog frame (Modal).
enum class TacDialogBorder { Modal = 0, Popup = 2, Framed = 3 };
TacDialogBorder DialogBorderOf(uint32_t style);

// The frame drawn for it: a modal dialog frame as a dialog form's (small title pictures, no icon), a
// captionless popup without frame or outline, a sizing frame as a sizeable form's and any other caption
// as a single form's (big pictures, the icon); tool windows keep their small caption.
TsBorderKind DialogFrameBorder(uint32_t style, uint32_t exStyle);

// The title buttons (TitleIcons bits) its styles ask for: Close with the system menu, Minimize, Maximize,
// Help with the context-help style.
uint32_t DialogTitleIcons(uint32_t style, uint32_t exStyle);

// The items of a system dialog's own system menu: shown and enabled as its border and state allow (the
// rules' Help is not set). A sizing frame counts as a sizeable border, a modal frame as none.
TsTitleRules DialogMenuRules(uint32_t style, bool iconic, bool zoomed);

// The adapter a child window of a system dialog takes, by its class name (any case) and style.
enum class TacChildAdapter {
  None,
  Static,      // text statics: "CHECKBOX"
  Icon,        // icon and bitmap statics: "CHECKBOX"
  TransPanel,  // nested dialogs, folder browser panes: "CHECKBOX"
  DialogPanel, // panels: "PANEL"
  GroupBox,    // "GROUPBOX"
  CheckBox,    // check boxes and radio buttons: "CHECKBOX"
  PushButton,  // every other button but owner-drawn ones: "BUTTON"
  ComboBox,    // "COMBOBOX"
  ComboList,   // the list of a combo box: an edit adapter with "COMBOBOX"
  Sizer,       // size grips: "CHECKBOX"
  ListView,    // "EDIT"
  Spin,        // up-down controls: "SPEEDBUTTON_SMALL"
  Edit,        // edits and list boxes: "EDIT"
  TreeView,    // "EDIT"
  Link,        // "CHECKBOX"
  ToolBar,     // "BAR" with style bit 0x200, else "CHECKBOX"
  Veto         // a tab control that keeps the whole dialog unskinned
};
struct TacChildChoice {
  TacChildAdapter Adapter = TacChildAdapter::None;
  std::string_view Section;
};
// size: the child's outer size (a tab control of exactly 470 x 349 vetoes the dialog).
TacChildChoice ChildAdapterFor(std::string_view className, uint32_t style, TSize size);

// How a text static lays out its text (DrawText flags for its SS_ style).
uint32_t StaticTextFlags(uint32_t style);
