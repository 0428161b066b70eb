// Menus: shortcut texts, the item tree (also from a layout), and a real popup menu with owner drawing
// chosen from the keyboard.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Menus.h"

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

TEST(Menus, APopupMeasuresDrawsAndClicksTheChosenItemOnItsOwnerWindow) {
  Application->Initialize();
  auto *form = Application->CreateForm<TForm>();
  form->Show();
  auto *popup = TComponent::Create<TPopupMenu>(form);
  popup->SetOwnerDraw(true);
  popup->SetWindowHandle(form->Handle());
  int measured = 0, drawn = 0;
  std::vector<std::string> clicked;
  for (const char *caption : {"One", "-", "Two"}) {
    auto *item = TComponent::Create<TMenuItem>(popup);
    item->SetCaption(caption);
    item->OnMeasureItem = [&](TObject *, TCanvas &canvas, int &width, int &height) {
      ++measured;
      width = canvas.TextWidth("Wide item") + 20;
      height = 20;
    };
    item->OnDrawItem = [&](TObject *, TCanvas &canvas, RECT rect, bool) {
      ++drawn;
      canvas.FillRect(rect);
    };
    item->OnClick = [&, caption](TObject *) { clicked.push_back(caption); };
    popup->Items().Add(item);
  }
  bool popped = false;
  popup->OnPopup = [&](TObject *) { popped = true; };
  WhenWindowAppears(L"#32768", [&](HWND) {
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  });
  popup->Popup(form->Left() + 20, form->Top() + 40);
  PumpUntil([&] { return !clicked.empty(); }, 3000);
  EXPECT_TRUE(popped);
  EXPECT_EQ(measured, 3);
  EXPECT_GE(drawn, 3);
  EXPECT_EQ(clicked, std::vector<std::string>{"Two"});
  form->Free();
}

} // namespace
