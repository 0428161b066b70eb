// The rules a system dialog is skinned by: its border and frame, its title buttons and system menu, the
// adapter each child window takes.

#include <gtest/gtest.h>

#include "skin/dialogs/DialogRules.h"
#include "skin/pixels/TextCanvas.h"
#include "skin/frame/TitleBar.h"

namespace {

constexpr uint32_t MessageBoxStyle = 0x94C80880;   // popup, caption, system menu, DS_MODALFRAME
constexpr uint32_t SizingDialogStyle = 0x94CF0000; // caption, system menu, sizing frame, minimize and maximize

TEST(DialogRulesTest, BorderFrameAndTitleButtonsFollowTheStyles) {
  EXPECT_EQ(DialogBorderOf(MessageBoxStyle), TacDialogBorder::Modal);
  EXPECT_EQ(DialogBorderOf(0x94000000), TacDialogBorder::Popup);
  EXPECT_EQ(DialogBorderOf(0x80400000), TacDialogBorder::Popup); // a border but no full caption
  EXPECT_EQ(DialogBorderOf(SizingDialogStyle), TacDialogBorder::Framed);
  EXPECT_EQ(DialogBorderOf(0x94C80000), TacDialogBorder::Framed);
  EXPECT_EQ(DialogFrameBorder(MessageBoxStyle, 0), TsBorderKind::bsDialog);
  EXPECT_EQ(DialogFrameBorder(0x94000000, 0), TsBorderKind::bsNone);
  EXPECT_EQ(DialogFrameBorder(SizingDialogStyle, 0), TsBorderKind::bsSizeable);
  EXPECT_EQ(DialogFrameBorder(SizingDialogStyle, 0x80), TsBorderKind::bsSizeToolWin);
  EXPECT_EQ(DialogFrameBorder(0x94C80000, 0), TsBorderKind::bsSingle);
  EXPECT_EQ(DialogTitleIcons(MessageBoxStyle, 0), TitleIcons::SystemMenu);
  EXPECT_EQ(DialogTitleIcons(SizingDialogStyle, 0x400),
            TitleIcons::SystemMenu | TitleIcons::Minimize | TitleIcons::Maximize | TitleIcons::Help);
}

TEST(DialogRulesTest, TheSystemMenuOffersWhatTheBorderAndStateAllow) {
  const TsTitleRules box = DialogMenuRules(MessageBoxStyle, false, false);
  EXPECT_FALSE(box.RestoreVisible || box.SizeVisible || box.MinVisible || box.MaxVisible);
  EXPECT_TRUE(box.MoveEnabled && box.CloseVisible);
  const TsTitleRules normal = DialogMenuRules(SizingDialogStyle, false, false);
  EXPECT_TRUE(normal.RestoreVisible && normal.SizeVisible && normal.SizeEnabled && normal.MaxEnabled);
  EXPECT_FALSE(normal.RestoreEnabled);
  const TsTitleRules zoomed = DialogMenuRules(SizingDialogStyle, false, true);
  EXPECT_TRUE(zoomed.RestoreEnabled);
  EXPECT_FALSE(zoomed.MoveEnabled || zoomed.MaxEnabled);
  const TsTitleRules iconic = DialogMenuRules(SizingDialogStyle, true, false);
  EXPECT_TRUE(iconic.RestoreEnabled);
  EXPECT_FALSE(iconic.SizeEnabled || iconic.MinEnabled);
}

TEST(DialogRulesTest, EachChildTakesTheAdapterOfItsClassAndStyle) {
  auto adapter = [](const char *name, uint32_t style, TSize size = {80, 20}) {
    return ChildAdapterFor(name, style, size).Adapter;
  };
  EXPECT_EQ(adapter("Static", 0x50020000), TacChildAdapter::Static);
  EXPECT_EQ(adapter("STATIC", 0x50000003), TacChildAdapter::Icon);
  EXPECT_EQ(adapter("Static", 0x5000000B), TacChildAdapter::None); // SS_SIMPLE
  EXPECT_EQ(adapter("Static", 0x50000005), TacChildAdapter::None); // a gray rectangle
  EXPECT_EQ(adapter("Button", 0x50010001), TacChildAdapter::PushButton);
  EXPECT_EQ(adapter("Button", 0x50010006), TacChildAdapter::CheckBox); // three states, automatic
  EXPECT_EQ(adapter("Button", 0x50010009), TacChildAdapter::CheckBox);
  EXPECT_EQ(adapter("Button", 0x50000007), TacChildAdapter::GroupBox);
  EXPECT_EQ(adapter("Button", 0x5001000B), TacChildAdapter::None); // owner-drawn
  EXPECT_EQ(adapter("Edit", 0), TacChildAdapter::Edit);
  EXPECT_EQ(adapter("ComboLBox", 0), TacChildAdapter::ComboList);
  EXPECT_EQ(adapter("SHBrowseForFolder ShellNameSpace Control", 0), TacChildAdapter::TransPanel);
  EXPECT_EQ(adapter("SysTabControl32", 0, {470, 349}), TacChildAdapter::Veto);
  EXPECT_EQ(adapter("SysTabControl32", 0, {470, 350}), TacChildAdapter::None);
  EXPECT_EQ(ChildAdapterFor("ToolbarWindow32", 0x200, {}).Section, "BAR");
  EXPECT_EQ(ChildAdapterFor("ToolbarWindow32", 0, {}).Section, "CHECKBOX");
  EXPECT_EQ(adapter("RichEdit20W", 0), TacChildAdapter::None);
}

TEST(DialogRulesTest, ATextStaticLaysOutItsTextAsItsStyleSays) {
  EXPECT_EQ(StaticTextFlags(0x50020000), TextFlags::Left | TextFlags::ExpandTabs | TextFlags::WordBreak);
  EXPECT_EQ(StaticTextFlags(0x50020081),
            TextFlags::Center | TextFlags::ExpandTabs | TextFlags::WordBreak | TextFlags::NoPrefix);
  EXPECT_EQ(StaticTextFlags(0x5000000C), TextFlags::Left | TextFlags::ExpandTabs);
  EXPECT_EQ(StaticTextFlags(0x5000C200) & ~0x40000u, TextFlags::Left | TextFlags::ExpandTabs | TextFlags::WordBreak |
                                                         TextFlags::SingleLine | TextFlags::VCenter);
  EXPECT_TRUE(StaticTextFlags(0x5000C000) & 0x40000u); // word ellipsis, not end and path ellipsis together
  EXPECT_FALSE(StaticTextFlags(0x5000C000) & 0xC000u);
}

} // namespace
