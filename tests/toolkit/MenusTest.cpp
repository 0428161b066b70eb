// Menus: shortcut texts, the item tree (also from a layout), and a real popup menu with owner drawing
// chosen from the keyboard.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/Menus.h"

#include <map>

namespace {

TEST(Menus, ShortCutTexts) {
  EXPECT_EQ(ShortCutToText(0x8073), "Alt+F4");
  EXPECT_EQ(ShortCut(VK_DOWN, ssAlt), 32808);
  EXPECT_EQ(ShortCutToText(32808), "Alt+Down");
  EXPECT_EQ(ShortCutToText(ShortCut('A', ssCtrl | ssShift)), "Shift+Ctrl+A");
  EXPECT_EQ(ShortCutToText(0), "");
}

TEST(Menus, ItemsFormATreeThatTheirOwnerFrees) {
  Application->Initialize();
  auto *form = Application->CreateForm<TForm>(R"(object MenuForm : TForm {
    object Popup1 : TPopupMenu {
      OwnerDraw = true
      object Restore : TMenuItem { Caption = "Restore" }
      object Size : TMenuItem { Caption = "Size" Enabled = false
        object Smaller : TMenuItem { Caption = "Smaller" }
      }
      object Line : TMenuItem { Caption = "-" }
      object Close : TMenuItem { Caption = "Close" ShortCut = 0x8073 Default = true }
    }
  })");
  auto *popup = form->FindComponent<TPopupMenu>("Popup1");
  ASSERT_NE(popup, nullptr);
  TMenuItem &root = popup->Items();
  ASSERT_EQ(root.Count(), 4);
  EXPECT_EQ(root.Items(1)->Items(0)->Caption(), "Smaller");
  EXPECT_EQ(root.Items(1)->Items(0)->Menu(), popup);
  EXPECT_TRUE(root.Items(2)->IsLine());
  EXPECT_TRUE(popup->OwnerDraw());
  HMENU handle = popup->Handle();
  EXPECT_EQ(GetMenuItemCount(handle), 4);
  EXPECT_NE(GetSubMenu(handle, 1), nullptr);
  EXPECT_EQ(GetMenuState(handle, 1, MF_BYPOSITION) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));

  TMenuItem *size = root.Items(1);
  EXPECT_THROW(size->Items(0)->Add(size), Exception); // no cycles
  root.Delete(1);                                     // frees Size; Smaller stays, owned by the form
  EXPECT_EQ(root.Count(), 3);
  EXPECT_EQ(form->FindComponent("Size"), nullptr);
  auto *smaller = form->FindComponent<TMenuItem>("Smaller");
  ASSERT_NE(smaller, nullptr);
  EXPECT_EQ(smaller->Parent(), nullptr);
  root.Items(2)->Free(); // freeing an item unlinks it
  EXPECT_EQ(root.Count(), 2);
  form->Free();
}

// Notes what the hook is told.
class RecordingHook : public TMenuHook {
public:
  std::vector<std::string> told;
  void ItemAdded(TMenuItem &item) override { told.push_back("added " + item.Caption()); }
  void ItemRemoved(TMenuItem &item) override { told.push_back("removed " + item.Caption()); }
  void PopupOpening(TPopupMenu &) override { told.push_back("popup"); }
};

TEST(Menus, APopupMeasuresAndDrawsItsItemsInTheirWholeStateAndClicksTheChosenOne) {
  Application->Initialize();
  auto *form = Application->CreateForm<TForm>();
  form->Show();
  auto *popup = TComponent::Create<TPopupMenu>(form);
  popup->SetOwnerDraw(true);
  popup->SetWindowHandle(form->Handle());
  RecordingHook hook;
  TMenuHook *previous = SetMenuHook(&hook);
  int measured = 0;
  std::map<std::string, TOwnerDrawState> drawn; // every state each item was drawn in
  std::vector<std::string> clicked;
  for (const char *caption : {"One", "-", "Two", "Off"}) {
    auto *item = TComponent::Create<TMenuItem>(popup);
    item->SetCaption(caption);
    item->OnMeasureItem = [&](TObject *, TCanvas &canvas, int &width, int &height) {
      ++measured;
      width = canvas.TextWidth("Wide item") + 20;
      height = 20;
    };
    item->OnDrawItem = [&, caption](TObject *, TCanvas &canvas, RECT rect, TOwnerDrawState state) {
      drawn[caption] |= state;
      canvas.FillRect(rect);
    };
    item->OnClick = [&, caption](TObject *) { clicked.push_back(caption); };
    popup->Items().Add(item);
  }
  popup->Items().Items(0)->SetChecked(true);
  popup->Items().Items(3)->SetEnabled(false);
  bool popped = false;
  popup->OnPopup = [&](TObject *) { popped = true; };
  WhenWindowAppears(L"#32768", [&](HWND) {
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  });
  popup->Popup(form->Left() + 20, form->Top() + 40);
  PumpUntil([&] { return !clicked.empty(); }, 3000);
  SetMenuHook(previous);
  EXPECT_TRUE(popped);
  EXPECT_EQ(measured, 4);
  EXPECT_EQ(clicked, std::vector<std::string>{"Two"});
  EXPECT_EQ(drawn["One"] & (odChecked | odGrayed), static_cast<TOwnerDrawState>(odChecked));
  EXPECT_TRUE(drawn["Two"] & odSelected);
  EXPECT_EQ(drawn["Off"] & (odGrayed | odSelected), static_cast<TOwnerDrawState>(odGrayed));
  EXPECT_EQ(hook.told, (std::vector<std::string>{"added One", "added -", "added Two", "added Off", "popup"}));
  form->Free();
}

TEST(Menus, ASkinsPainterDrawsOnlyWhereTheProgramHasNoHandlerAndGoesAgainWithoutTrace) {
  TPopupMenu popup(nullptr);
  auto *own = TComponent::Create<TMenuItem>(&popup), *plain = TComponent::Create<TMenuItem>(&popup);
  own->SetCaption("Own");
  plain->SetCaption("Plain");
  popup.Items().Add(own);
  popup.Items().Add(plain);
  std::vector<std::string> drawnBy;
  own->OnDrawItem = [&](TObject *, TCanvas &, RECT, TOwnerDrawState) { drawnBy.push_back("program"); };
  auto isOwnerDrawn = [&](int index) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(popup.Handle(), static_cast<UINT>(index), TRUE, &info);
    return (info.fType & MFT_OWNERDRAW) != 0;
  };
  EXPECT_FALSE(isOwnerDrawn(1));
  for (TMenuItem *item : {own, plain})
    item->SetPainter({[](TObject *, TCanvas &, int &width, int &) { width = 99; },
                      [&](TObject *, TCanvas &, RECT, TOwnerDrawState) { drawnBy.push_back("skin"); }});
  EXPECT_TRUE(isOwnerDrawn(0));
  EXPECT_TRUE(isOwnerDrawn(1));
  MemoryDC dc;
  TCanvas canvas;
  CanvasHandleScope scope(canvas, dc.Get());
  own->DrawItem(canvas, {0, 0, 10, 10}, 0);
  plain->DrawItem(canvas, {0, 0, 10, 10}, odSelected);
  EXPECT_EQ(drawnBy, (std::vector<std::string>{"program", "skin"}));
  for (TMenuItem *item : {own, plain})
    item->ClearPainter();
  EXPECT_TRUE(own->OnDrawItem);
  EXPECT_FALSE(isOwnerDrawn(1));
  int width = 0, height = 0;
  plain->MeasureItem(canvas, width, height);
  EXPECT_NE(width, 99);

  auto *images = TComponent::Create<TImageList>(&popup);
  popup.SetImages(images);
  images->Free();
  EXPECT_EQ(popup.Images(), nullptr);
}

} // namespace
