// The skinned label, edit and memo on real windows: read from a stored layout, the memo's edit adapter
// across skin refreshes, shows and a cleared skin, an edit's colours following the focus and the mouse,
// a label's colours from the skin and back, printing, and GDI handles over many paints.

#include "skin/controls/win/Edit.h"
#include "skin/controls/win/Label.h"
#include "skin/controls/win/Memo.h"
#include "skin/controls/win/SkinControls.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/Blending.h"
#include "skin/pixels/win/DibStorage.h"
#include "tests/skin_adapters/SkinnedFormsTest.h"

namespace {

class TLogForm : public TForm {
  TK_CLASS(TLogForm)
public:
  explicit TLogForm(TComponent *owner) : TForm(owner) {}
  TsLabel *sLabel1 = nullptr;
  TsMemo *sMemo1 = nullptr;
};

const TMetaClass &TLogForm::StaticMetaClass() {
  return DefineClass<TLogForm, TForm>("TLogForm", [](TClassBuilder<TLogForm> &c) {
    c.Field("sLabel1", &TLogForm::sLabel1);
    c.Field("sMemo1", &TLogForm::sMemo1);
  });
}

constexpr const char *LogLayout = R"(object Form1 : TLogForm {
  ClientWidth = 320
  ClientHeight = 240
  object sLabel1 : TsLabel {
    Left = 8
    Top = 8
    Caption = "Выберите папку для установки"
    Font.Color = clRed
  }
  object sMemo1 : TsMemo {
    Left = 8
    Top = 60
    Width = 240
    Height = 120
    ScrollBars = ssVertical
    SkinData.SkinSection = "EDIT"
    BoundLabel.Active = True
    BoundLabel.Caption = "Журнал"
    BoundLabel.Layout = sclTopLeft
    BoundLabel.Indent = 2
  }
})";

class TextControlsTest : public SkinnedFormsTest {
protected:
  static void SetUpTestSuite() {
    SkinnedFormsTest::SetUpTestSuite();
    InitializeSkinControls();
    RegisterComponentClass(TLogForm::StaticMetaClass());
  }
  TLogForm *LogForm() {
    auto *form = TComponent::Create<TLogForm>(Application);
    form->ReadLayout(LogLayout);
    form->SetBounds(40, 40, form->Width(), form->Height());
    form->Show();
    forms.push_back(form);
    return form;
  }
  const TsGeneralData &Section(const char *name) const {
    return manager->Skin()->GeneralData[static_cast<size_t>(manager->SectionIndex(name))];
  }
};

// The memo holds one adapter, on its current window, exactly while a skin is in force.
void ExpectOneAdapter(TsMemo &memo, int hooksWithout) {
  ASSERT_NE(memo.Adapter(), nullptr);
  EXPECT_EQ(TacMainWnd::Of(memo.Handle()), memo.Adapter());
  EXPECT_EQ(memo.Adapter()->Window(), memo.Handle());
  EXPECT_EQ(memo.WindowHooks().Count(), hooksWithout + 1);
}

TEST_F(TextControlsTest, TheLayoutsMemoKeepsOneAdapterWhileSkinnedAndNoneWhenTheSkinIsCleared) {
  TLogForm *form = LogForm();
  TsMemo &memo = *form->sMemo1;
  ASSERT_NE(memo.BoundLabel.Label(), nullptr);
  EXPECT_EQ(memo.BoundLabel.Label()->Caption(), "Журнал");
  EXPECT_EQ(memo.BoundLabel.Label()->Top(), 60 - memo.BoundLabel.Label()->Height() - 2);
  EXPECT_EQ(memo.SkinData.SkinSection(), "EDIT");
  for (int i = 0; i < 40; ++i)
    memo.Lines().Add("step " + std::to_string(i));
  EXPECT_EQ(memo.Adapter(), nullptr);
  const int hooks = memo.WindowHooks().Count();

  LoadSkin();
  ExpectOneAdapter(memo, hooks);
  EXPECT_TRUE(memo.Adapter()->BarVisible(SB_VERT));
  EXPECT_EQ(memo.Color(), Section("EDIT").Color);
  for (int i = 0; i < 3; ++i) {
    manager->RefreshAll();
    memo.Hide();
    memo.Show();
    Pump(10);
  }
  ExpectOneAdapter(memo, hooks);

  manager->SetActive(false);
  EXPECT_EQ(memo.Adapter(), nullptr);
  EXPECT_EQ(TacMainWnd::Of(memo.Handle()), nullptr);
  EXPECT_EQ(memo.WindowHooks().Count(), hooks);
  EXPECT_EQ(memo.Color(), clWindow);
  EXPECT_EQ(memo.Lines().Count(), 40);
  // The system's own bar is back.
  SCROLLBARINFO system{};
  system.cbSize = sizeof system;
  ASSERT_TRUE(GetScrollBarInfo(memo.Handle(), OBJID_VSCROLL, &system));
  EXPECT_GT(system.rcScrollBar.right - system.rcScrollBar.left, 0);

  manager->SetActive(true);
  ExpectOneAdapter(memo, hooks);
}

TEST_F(TextControlsTest, AnEditsColoursFollowTheFocusAndTheMouse) {
  LoadSkin();
  TForm *form = Form(300, 120);
  auto edit = [form](int top) {
    auto *e = TComponent::Create<TsEdit>(form);
    e->SetParent(form);
    e->SetBounds(10, top, 200, 21);
    return e;
  };
  TsEdit *first = edit(10), *second = edit(50);
  manager->RefreshAll();
  const TsGeneralData &section = Section("EDIT");
  ASSERT_NE(section.Color, section.HotColor);
  EXPECT_EQ(first->Color(), section.Color);
  EXPECT_EQ(first->Font().Color(), section.FontColor[0]);

  // The keyboard moves the focus: the focused edit shows the hot colours.
  SetForegroundWindow(form->Handle());
  first->SetFocus();
  Pump(30);
  EXPECT_EQ(first->Color(), section.HotColor);
  EXPECT_EQ(first->Font().Color(), section.HotFontColor[0]);
  PostMessageW(first->Handle(), WM_KEYDOWN, VK_TAB, 1);
  PostMessageW(first->Handle(), WM_KEYUP, VK_TAB, 0xC0000001);
  Pump(50);
  ASSERT_TRUE(second->Focused());
  EXPECT_EQ(first->Color(), section.Color);
  EXPECT_EQ(second->Color(), section.HotColor);
  RECT client;
  GetClientRect(second->Handle(), &client);
  const Image24 screen = ScreenOfWindow(second->Handle());
  EXPECT_EQ(screen.Pixel(client.right - 3, client.bottom - 1), ColorToRgb(section.HotColor));

  // The mouse over the other edit makes it active too, and leaving takes it back.
  RECT bounds;
  GetWindowRect(first->Handle(), &bounds);
  MouseTo(POINT{bounds.right - 20, (bounds.top + bounds.bottom) / 2});
  Pump(50);
  EXPECT_EQ(first->Color(), section.HotColor);
  MouseTo(POINT{bounds.right + 300, bounds.bottom + 300});
  Pump(500); // the system notices the mouse leaving on a timer of its own
  EXPECT_EQ(first->Color(), section.Color);
}

TEST_F(TextControlsTest, ALabelTakesTheSkinsColoursAndGivesThemBack) {
  TLogForm *form = LogForm();
  TsLabel &label = *form->sLabel1;
  auto *own = TComponent::Create<TsLabel>(form);
  own->SetParent(form);
  own->SetBounds(8, 30, 100, 13);
  own->SetCaption("Своё");
  own->Font().SetColor(0x0000FF);
  own->UseSkinColor = false;

  LoadSkin();
  form->Repaint();
  const TColor global = manager->GlobalFontColor();
  EXPECT_EQ(label.Font().Color(), global);
  EXPECT_EQ(own->Font().Color(), 0x0000FF);
  const RECT labelRect = label.BoundsRect();
  POINT origin{0, 0};
  ClientToScreen(form->Handle(), &origin);
  RECT frame;
  GetWindowRect(form->Handle(), &frame);
  RECT onScreen = labelRect;
  OffsetRect(&onScreen, origin.x - frame.left, origin.y - frame.top);
  EXPECT_GT(CountColor(ScreenOfWindow(form->Handle()), onScreen, global), 0);

  // A disabled caption lies 40 % of the way from its colour to the background's... as the painters mix it.
  label.SetEnabled(false);
  form->Repaint();
  const TColor faded = ColorBetween(global, ColorToRgb(form->Color()), 0.4);
  EXPECT_GT(CountColor(ScreenOfWindow(form->Handle()), onScreen, faded), 0);
  label.SetEnabled(true);

  // Behind the caption: a section, but not the first one of the skin, nor one written in another case.
  label.SetSkinSection("EDIT");
  form->Repaint();
  EXPECT_GT(CountColor(ScreenOfWindow(form->Handle()), onScreen, Section("EDIT").Color), 0);
  EXPECT_EQ(label.Font().Color(), Section("EDIT").FontColor[0]);
  label.SetSkinSection("edit");
  form->Repaint();
  EXPECT_EQ(CountColor(ScreenOfWindow(form->Handle()), onScreen, Section("EDIT").Color), 0);
  ASSERT_EQ(manager->SectionIndex("GLOBALINFO"), 0);
  label.SetSkinSection("GLOBALINFO");
  form->Repaint();
  EXPECT_EQ(CountColor(ScreenOfWindow(form->Handle()), onScreen, Section("GLOBALINFO").Color), 0);

  manager->SetActive(false);
  EXPECT_EQ(label.Font().Color(), clWindowText);
  EXPECT_EQ(own->Font().Color(), 0x0000FF);
}

TEST_F(TextControlsTest, PrintingAnEditGivesTheCallersDeviceContextBack) {
  LoadSkin();
  TForm *form = Form(300, 120);
  auto *edit = TComponent::Create<TsEdit>(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 200, 21);
  edit->SetText("Program Files");
  Pump(20);

  Image24 target = CreateDib24(240, 60);
  const ImageSurface surface(target);
  const HDC dc = surface.Handle();
  SetViewportOrgEx(dc, 5, 7, nullptr);
  IntersectClipRect(dc, 0, 0, 230, 50);
  SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
  SetTextColor(dc, RGB(1, 2, 3));
  SendMessageW(edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, 5);
  EXPECT_EQ(origin.y, 7);
  RECT clip;
  GetClipBox(dc, &clip);
  EXPECT_EQ(clip.right, 230);
  EXPECT_EQ(clip.bottom, 50);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(ANSI_FIXED_FONT));
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  GdiFlush();
  EXPECT_EQ(target.Pixel(5 + 1, 7 + 1), edit->SkinData.CacheImage.Pixel(1, 1));
}

TEST_F(TextControlsTest, ManyPaintsHoldNoMoreHandles) {
  TLogForm *form = LogForm();
  for (int i = 0; i < 40; ++i)
    form->sMemo1->Lines().Add("step " + std::to_string(i));
  auto *edit = TComponent::Create<TsEdit>(form);
  edit->SetParent(form);
  edit->SetBounds(8, 200, 200, 21);
  LoadSkin();
  auto paint = [form] {
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  for (int i = 0; i < 5; ++i)
    paint();
  const GdiUsage before = ToolkitGdiUsage();
  const DWORD processBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 1000; ++i)
    paint();
  const GdiUsage after = ToolkitGdiUsage();
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.deviceContexts, before.deviceContexts);
  EXPECT_EQ(after.deletedWhileSelected, before.deletedWhileSelected);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), processBefore);
}

} // namespace
