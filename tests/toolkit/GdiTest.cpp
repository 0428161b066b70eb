// GDI lifetimes: objects changed while a canvas has them selected are replaced before they are deleted, a
// borrowed device context comes back as it was lent, and painting a form of every control many times leaves
// the handles where they were.
#include <gtest/gtest.h>

#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/ExtCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

namespace {

struct DcState {
  HGDIOBJ font, brush, pen;
  COLORREF textColor;
  int bkMode, rop2;
  POINT origin;
  RECT clip;
  bool operator==(const DcState &o) const {
    return font == o.font && brush == o.brush && pen == o.pen && textColor == o.textColor && bkMode == o.bkMode &&
           rop2 == o.rop2 && origin.x == o.origin.x && origin.y == o.origin.y && EqualRect(&clip, &o.clip);
  }
};

DcState StateOf(HDC dc) {
  DcState s{GetCurrentObject(dc, OBJ_FONT),
            GetCurrentObject(dc, OBJ_BRUSH),
            GetCurrentObject(dc, OBJ_PEN),
            GetTextColor(dc),
            GetBkMode(dc),
            GetROP2(dc),
            {},
            {}};
  GetViewportOrgEx(dc, &s.origin);
  GetClipBox(dc, &s.clip);
  return s;
}

TEST(Gdi, ObjectsChangedOnACanvasAreReplacedBeforeDeletionAndTheLentDcComesBackAsItWas) {
  MemoryDC dc;
  TBitmap surface;
  surface.SetSize(60, 40);
  SelectionScope bitmap(dc.Get(), surface.Handle());
  SetTextColor(dc.Get(), RGB(1, 2, 3));
  SetViewportOrgEx(dc.Get(), 3, 4, nullptr);
  IntersectClipRect(dc.Get(), 0, 0, 50, 30);
  const DcState lent = StateOf(dc.Get());
  const GdiUsage before = ToolkitGdiUsage();
  {
    TCanvas canvas;
    CanvasHandleScope scope(canvas, dc.Get());
    HGDIOBJ firstFont = GetCurrentObject(dc.Get(), OBJ_FONT);
    canvas.Font().SetHeight(-20);
    canvas.Brush().SetColor(clRed);
    canvas.Pen().SetWidth(3);
    canvas.Pen().SetMode(TPenMode::pmXor);
    EXPECT_NE(GetCurrentObject(dc.Get(), OBJ_FONT), firstFont);
    EXPECT_EQ(GetObjectType(firstFont), 0u); // deleted, not left behind
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.TextOut(0, 0, "Установка");
    canvas.Rectangle(1, 1, 9, 9);
    SetViewportOrgEx(dc.Get(), 9, 9, nullptr); // drawing code of ours moving things about
    IntersectClipRect(dc.Get(), 1, 1, 5, 5);
  }
  EXPECT_TRUE(StateOf(dc.Get()) == lent);
  const GdiUsage after = ToolkitGdiUsage();
  EXPECT_EQ(after.deletedWhileSelected, before.deletedWhileSelected);
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.deviceContexts, before.deviceContexts);
}

TEST(Gdi, AThousandPaintsOfEveryControlLeaveTheHandlesWhereTheyWere) {
  Application->Initialize();
  auto *form = TComponent::Create<TForm>(Application);
  form->SetBounds(20, 20, 420, 260);
  auto add = [&]<class T>(T *control, int left, int top, int width, int height) {
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    return control;
  };
  auto *label = add(TComponent::Create<TLabel>(form), 8, 4, 120, 16);
  label->SetCaption("Выберите &папку");
  label->SetTransparent(true);
  add(TComponent::Create<TEdit>(form), 8, 24, 150, 21)->SetText("C:\\Program Files\\Kelvora");
  add(TComponent::Create<TCustomMaskEdit>(form), 170, 24, 100, 21);
  auto *memo = add(TComponent::Create<TMemo>(form), 8, 50, 200, 60);
  memo->SetScrollBars(TScrollStyle::ssVertical);
  for (int i = 0; i < 12; ++i)
    memo->Lines().Add("Копирование файла " + std::to_string(i));
  add(TComponent::Create<TButton>(form), 220, 50, 75, 25)->SetCaption("Установка");
  add(TComponent::Create<TBitBtn>(form), 300, 50, 75, 25)->SetCaption("OK");
  auto *bar = add(TComponent::Create<TProgressBar>(form), 8, 116, 200, 16);
  bar->SetPosition(40);
  auto *images = TComponent::Create<TImageList>(form);
  images->CreateSize(16, 16);
  images->AddIcon(LoadIconW(nullptr, IDI_APPLICATION));
  auto *tree = add(TComponent::Create<TTreeView>(form), 220, 80, 150, 80);
  tree->SetImages(images);
  TTreeNode *root = tree->Items().Add(nullptr, "Desktop");
  root->SetImageIndex(0);
  tree->Items().AddChild(root, "Kelvora")->SetImageIndex(0);
  root->Expand();
  add(TComponent::Create<TImage>(form), 8, 140, 32, 32)->SetIcon(LoadIconW(nullptr, IDI_WARNING));
  auto *picture = add(TComponent::Create<TImage>(form), 48, 140, 40, 20);
  picture->Bitmap().SetSize(40, 20);
  picture->SetStretch(true);
  auto *speed = add(TComponent::Create<TSpeedButton>(form), 100, 140, 60, 24);
  speed->Glyph().SetSize(32, 16);
  speed->SetNumGlyphs(2);
  speed->SetCaption("Обзор");
  form->Show();

  auto paint = [&] {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  for (int i = 0; i < 5; ++i)
    paint(); // the first paints make what stays: fonts and brushes of the controls
  const GdiUsage before = ToolkitGdiUsage();
  const DWORD processBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 1000; ++i)
    paint();
  const GdiUsage after = ToolkitGdiUsage();
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.deviceContexts, before.deviceContexts);
  EXPECT_EQ(after.deletedWhileSelected, before.deletedWhileSelected);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), processBefore);
  form->Free();
}

} // namespace
