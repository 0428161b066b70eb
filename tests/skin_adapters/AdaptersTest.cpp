// Window adapters on real windows: one per window, hooked through the toolkit's chain or by subclassing
// and gone without a trace when freed; the control adapter skinning a form's foreign controls and freeing
// them all; printing through an adapter.

#include "skin/adapters/win/BtnWnd.h"
#include "skin/adapters/win/CtrlAdapter.h"
#include "skin/adapters/win/EditWnd.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/win/DibStorage.h"
#include "tests/skin_adapters/SkinnedFormsTest.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

template <class T> T *Child(TForm *form, RECT bounds) {
  auto *control = TComponent::Create<T>(form);
  control->SetParent(form);
  control->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
  return control;
}

class AdaptersTest : public SkinnedFormsTest {};

TEST_F(AdaptersTest, AWindowTakesOneAdapterWhichLeavesNoTraceWhenFreed) {
  LoadSkin();
  TForm *form = Form(300, 200);
  auto *memo = Child<TMemo>(form, {10, 10, 150, 100});
  const int hooks = memo->WindowHooks().Count();
  auto adapter = TacMainWnd::Create<TacEditWnd>({memo->Handle(), nullptr, "EDIT"});
  ASSERT_TRUE(adapter);
  EXPECT_EQ(TacMainWnd::Of(memo->Handle()), adapter.get());
  EXPECT_EQ(memo->WindowHooks().Count(), hooks + 1);
  // A second adapter would stack its hook on the first: there is none.
  EXPECT_FALSE(TacMainWnd::Create<TacEditWnd>({memo->Handle(), nullptr, "EDIT"}));
  EXPECT_EQ(memo->WindowHooks().Count(), hooks + 1);
  EXPECT_EQ(SendSkinCommand(memo->Handle(), AC_QUERYSKINNED).LParam, 1);
  adapter.reset();
  EXPECT_EQ(memo->WindowHooks().Count(), hooks);
  EXPECT_EQ(TacMainWnd::Of(memo->Handle()), nullptr);
  EXPECT_NE(SendSkinCommand(memo->Handle(), AC_QUERYSKINNED).LParam, 1);

  // A window the toolkit did not make is subclassed; freed, the adapter gives it its own layout back.
  const HWND foreign = CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER, 160, 10,
                                       120, 100, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  RECT systemClient, skinnedClient, afterClient;
  GetClientRect(foreign, &systemClient);
  auto bars = TacMainWnd::Create<TacScrollWnd>({foreign, nullptr, "EDIT"});
  ASSERT_TRUE(bars);
  EXPECT_EQ(TacMainWnd::Of(foreign), bars.get());
  EXPECT_FALSE(TacMainWnd::Create<TacScrollWnd>({foreign}));
  GetClientRect(foreign, &skinnedClient);
  EXPECT_EQ(skinnedClient.right, systemClient.right); // the skinned bar takes the system bar's room
  EXPECT_EQ(SendSkinCommand(foreign, AC_QUERYSKINNED).Result, 1);
  bars.reset();
  EXPECT_EQ(TacMainWnd::Of(foreign), nullptr);
  EXPECT_EQ(SendSkinCommand(foreign, AC_QUERYSKINNED).Result, 0);
  GetClientRect(foreign, &afterClient);
  EXPECT_EQ(afterClient.right, systemClient.right);
  DestroyWindow(foreign);
}

TEST_F(AdaptersTest, AWindowThatGoesUnhooksItsAdapter) {
  LoadSkin();
  TForm *form = Form(300, 200);
  auto *memo = Child<TMemo>(form, {10, 10, 150, 100});
  const int hooks = memo->WindowHooks().Count();
  auto adapter = TacMainWnd::Create<TacEditWnd>({memo->Handle(), nullptr, "EDIT"});
  const HWND first = memo->Handle();
  memo->RecreateWnd();
  ASSERT_NE(memo->Handle(), first);
  EXPECT_TRUE(adapter->Destroyed());
  // The control lives on with a new window: the old adapter no longer sees its messages.
  EXPECT_EQ(memo->WindowHooks().Count(), hooks);
  EXPECT_EQ(TacMainWnd::Of(memo->Handle()), nullptr);
  adapter.reset();
  Pump(20);
}

TEST_F(AdaptersTest, TheControlAdapterSkinsTheFormsForeignControlsAndFreesThemUnhooked) {
  LoadSkin();
  TForm *form = Form(400, 300);
  auto *memo = Child<TMemo>(form, {10, 10, 150, 100});
  auto *tree = Child<TTreeView>(form, {160, 10, 300, 100});
  auto *tagged = Child<TEdit>(form, {10, 110, 150, 131});
  tagged->SetTag(NoSkinTag);
  auto *ordered = Child<TEdit>(form, {160, 110, 300, 131});
  ordered->SetTabOrder(NoSkinTag);
  auto *button = Child<TButton>(form, {10, 140, 85, 165});
  auto *label = Child<TLabel>(form, {10, 180, 100, 195});
  label->Font().SetColor(0x0000FF);
  for (TWinControl *control : std::initializer_list<TWinControl *>{memo, tree, tagged, ordered})
    control->HandleNeeded();
  const int memoHooks = memo->WindowHooks().Count(), treeHooks = tree->WindowHooks().Count();

  TsCommonData providerData(*form, false);
  std::vector<std::string> asked;
  {
    TacCtrlAdapter adapter(*form, providerData,
                           [&](TComponent *item, bool &, std::string &) { asked.push_back(item->ClassName()); });
    adapter.AddAllItems();
    ASSERT_EQ(adapter.Count(), 3);
    EXPECT_TRUE(dynamic_cast<TacEditWnd *>(TacMainWnd::Of(memo->Handle())));
    EXPECT_TRUE(dynamic_cast<TacBtnWnd *>(TacMainWnd::Of(button->Handle())));
    EXPECT_TRUE(dynamic_cast<TacTreeViewWnd *>(TacMainWnd::Of(tree->Handle())));
    EXPECT_EQ(TacMainWnd::Of(tagged->Handle()), nullptr);
    EXPECT_EQ(TacMainWnd::Of(ordered->Handle()), nullptr);
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(label->Font().Color(), manager->GlobalFontColor());
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "TButton"), 1);

    // Scanning again keeps one adapter per control.
    adapter.AddAllItems();
    EXPECT_EQ(adapter.Count(), 3);
    EXPECT_EQ(memo->WindowHooks().Count(), memoHooks + 1);

    // An adapted control that is freed leaves the list.
    memo->Free();
    EXPECT_EQ(adapter.Count(), 2);

    // The skin goes: the adapters hear it, then all are freed and unhooked.
    adapter.Forward(SkinCommand(AC_SKINCLEARED, 0, ManagerParam(*manager)));
    adapter.Clear();
    EXPECT_EQ(adapter.Count(), 0);
    EXPECT_EQ(tree->WindowHooks().Count(), treeHooks);
    EXPECT_EQ(TacMainWnd::Of(tree->Handle()), nullptr);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(20);
  }

  // OnSkinItem may refuse a control.
  TacCtrlAdapter refusing(*form, providerData,
                          [tree](TComponent *item, bool &canBeAdded, std::string &) { canBeAdded = item != tree; });
  refusing.AddAllItems();
  EXPECT_EQ(refusing.Count(), 1);
  EXPECT_EQ(TacMainWnd::Of(tree->Handle()), nullptr);
  // A control that announces itself is taken, itself and its children.
  TacCtrlAdapter announced(*form, providerData, nullptr);
  announced.AddAllItems(tree);
  EXPECT_EQ(announced.Count(), 1);
}

TEST_F(AdaptersTest, PrintingThroughAnAdapterGivesTheCallersDeviceContextBack) {
  LoadSkin();
  TForm *form = Form(300, 200);
  auto *memo = Child<TMemo>(form, {10, 10, 150, 100});
  memo->SetScrollBars(TScrollStyle::ssVertical);
  auto adapter = TacMainWnd::Create<TacEditWnd>({memo->Handle(), nullptr, "EDIT"});
  Pump(20);

  Image24 target = CreateDib24(200, 150);
  const ImageSurface surface(target);
  const HDC dc = surface.Handle();
  SetViewportOrgEx(dc, 5, 7, nullptr);
  IntersectClipRect(dc, 0, 0, 170, 120);
  const HGDIOBJ font = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
  (void)font;
  SetTextColor(dc, RGB(1, 2, 3));
  SendMessageW(memo->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);

  POINT origin;
  GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, 5);
  EXPECT_EQ(origin.y, 7);
  RECT clip;
  GetClipBox(dc, &clip);
  EXPECT_EQ(clip.right, 170);
  EXPECT_EQ(clip.bottom, 120);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(ANSI_FIXED_FONT));
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  GdiFlush();
  // The skinned frame and bar are in the print, where the window has them.
  EXPECT_EQ(target.Pixel(5 + 1, 7 + 1), adapter->SkinData().CacheImage.Pixel(1, 1));
  const RECT bar = InWindow(memo->Handle(), adapter->BarRect(SB_VERT));
  Image24 painted = ScreenOfWindow(memo->Handle());
  {
    const ImageSurface bars(painted);
    adapter->PaintBars(bars.Handle());
  }
  EXPECT_EQ(target.Pixel(5 + bar.left + 3, 7 + bar.top + 30), painted.Pixel(bar.left + 3, bar.top + 30));
}

} // namespace
