// The skinned menus with real menus: the skinned frame's system menu taken over while the skin is in force
// and given back after it, a menu with drawing handlers of its own, the menu window's adapter freed with
// its window, handles over many menus, and the pixels of one paint of the system menu.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/frame/win/SkinProvider.h"
#include "skin/frame/win/SystemMenu.h"
#include "skin/menus/win/MenuWindow.h"
#include "skin/menus/win/SkinMenus.h"
#include "skin/menus/win/SkinableMenus.h"
#include "skin/pixels/PixelAccess.h"
#include "skin/pixels/win/DibStorage.h"
#include "tests/skin_engine/ManagerTestSupport.h"
#include "tests/toolkit/UiTestSupport.h"

namespace {

HMENU MenuOf(HWND menuWindow) { return reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)); }

int OwnerDrawnItems(HMENU menu) {
  int count = 0;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    count += (info.fType & MFT_OWNERDRAW) != 0;
  }
  return count;
}

bool HasRegion(HWND window) {
  const GdiObject region(CreateRectRgn(0, 0, 0, 0));
  return GetWindowRgn(window, static_cast<HRGN>(region.Get())) != ERROR;
}

// What the screen shows of the whole window.
Image24 OnScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  Image24 image = CreateDib24(r.right - r.left, r.bottom - r.top);
  const ImageSurface surface(image);
  const WindowDC dc(window, true);
  BitBlt(surface.Handle(), 0, 0, image.Width(), image.Height(), dc.Get(), 0, 0, SRCCOPY);
  return image;
}

// An item's rectangle in the menu window's coordinates.
RECT ItemRect(HWND menuWindow, int index) {
  RECT item, window;
  GetMenuItemRect(nullptr, MenuOf(menuWindow), static_cast<UINT>(index), &item);
  GetWindowRect(menuWindow, &window);
  OffsetRect(&item, -window.left, -window.top);
  return item;
}

// The darkest red found in a band of rows.
int DarkestRed(const Image24 &image, int left, int right, const RECT &rows) {
  int darkest = 255;
  for (int y = rows.top; y < rows.bottom; ++y)
    for (int x = left; x < right; ++x)
      darkest = std::min<int>(darkest, RedOf(image.Pixel(x, y)));
  return darkest;
}

class SkinnedMenusTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    InitializeSkinMenus();
  }
  SkinnedMenusTest() {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddInternalSkin(*manager, InternalSkinName, BlueGauzePack());
    manager->AnimEffects().SkinChanging.Active = false;
    // The installer's window: single border, system menu and minimize.
    form = TComponent::Create<TForm>(Application);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    form->SetBorderIcons(biSystemMenu | biMinimize);
    form->SetBounds(60, 60, 446, 351);
    form->SetCaption("Установка программы Kelvora");
    provider = TComponent::Create<TsSkinProvider>(form);
    form->Show();
    SetForegroundWindow(form->Handle());
    manager->SetSkinName(InternalSkinName);
    PumpUntil([] { return false; }, 50);
    SetCursorPos(1000, 740); // away from the menus, so that no item is hot under the mouse
  }
  ~SkinnedMenusTest() override {
    form->Free();
    manager.reset();
  }

  // Opens the system menu, runs inside with its window once its items are painted, and closes it.
  void WithSystemMenu(const std::function<void(HWND)> &inside) {
    WhenWindowAppears(L"#32768", [&](HWND window) {
      UpdateWindow(window);
      inside(window);
      EndMenu();
    });
    provider->PopupSystemMenu({form->Left() + 20, form->Top() + 30});
  }

  std::unique_ptr<TsSkinManager> manager;
  TForm *form = nullptr;
  TsSkinProvider *provider = nullptr;
};

TEST_F(SkinnedMenusTest, TheSystemMenuIsDrawnByTheSkinWhileItIsInForceAndByTheSystemAfterIt) {
  TsSystemMenu *menu = provider->SystemMenu();
  bool opened = false;
  WithSystemMenu([&](HWND window) {
    opened = true;
    const HMENU items = MenuOf(window);
    EXPECT_EQ(GetMenuItemCount(items), 6); // Restore, Move, Size, Minimize, the divider, Close
    EXPECT_EQ(OwnerDrawnItems(items), 6);
    EXPECT_TRUE(HasRegion(window)); // shaped by the skin's corners
    EXPECT_EQ(AdoptedMenuWindows(), 1);
  });
  ASSERT_TRUE(opened);
  // The closed menu's window went, and its adapter with it.
  EXPECT_TRUE(PumpUntil([] { return AdoptedMenuWindows() == 0; }, 2000));

  manager->SetActive(false);
  for (int i = 0; i < menu->Items().Count(); ++i)
    EXPECT_FALSE(menu->Items().Items(i)->HasPainter()) << i;
  opened = false;
  WhenWindowAppears(L"#32768", [&](HWND window) {
    opened = true;
    EXPECT_EQ(OwnerDrawnItems(MenuOf(window)), 0);
    EXPECT_FALSE(HasRegion(window));
    EXPECT_EQ(AdoptedMenuWindows(), 0);
    EndMenu();
  });
  menu->Popup(form->Left() + 20, form->Top() + 30);
  EXPECT_TRUE(opened);

  // Switching popups off gives them back as well, switching on takes them again.
  manager->SetActive(true);
  EXPECT_TRUE(menu->ItemClose->HasPainter());
  manager->SetSkinnedPopups(false);
  EXPECT_FALSE(menu->ItemClose->HasPainter());
  manager->SetSkinnedPopups(true);
  EXPECT_TRUE(menu->ItemClose->HasPainter());
}

TEST_F(SkinnedMenusTest, ItemsWithHandlersOfTheirOwnKeepThemAndLettingGoRemovesOnlyTheSkinsPainters) {
  auto *popup = TComponent::Create<TPopupMenu>(form);
  popup->SetOwnerDraw(true);
  popup->SetWindowHandle(form->Handle());
  auto add = [&](const char *caption) {
    auto *item = TComponent::Create<TMenuItem>(popup);
    item->SetCaption(caption);
    popup->Items().Add(item);
    return item;
  };
  TMenuItem *own = add("Own");
  TMenuItem *skinned = add("Skinned");
  TMenuItem *foreign = add("Foreign");
  int ownMeasures = 0, ownDraws = 0;
  own->OnMeasureItem = [&](TObject *, TCanvas &, int &width, int &height) {
    ++ownMeasures;
    width = 80;
    height = 20;
  };
  own->OnDrawItem = [&](TObject *, TCanvas &, RECT, TOwnerDrawState) { ++ownDraws; };
  // A painter of someone other than the skin, set before the skin took the menu.
  manager->SetActive(false);
  foreign->SetPainter({[](TObject *, TCanvas &, int &width, int &height) { width = 80, height = 20; },
                       [](TObject *, TCanvas &, RECT, TOwnerDrawState) {}});
  manager->SetActive(true);

  auto show = [&] {
    WhenWindowAppears(L"#32768", [](HWND window) {
      UpdateWindow(window);
      EndMenu();
    });
    popup->Popup(form->Left() + 20, form->Top() + 30);
  };
  show();
  EXPECT_GT(ownMeasures, 0);
  EXPECT_GT(ownDraws, 0);
  EXPECT_TRUE(skinned->HasPainter());
  EXPECT_FALSE(own->HasPainter());

  manager->SetActive(false);
  EXPECT_FALSE(skinned->HasPainter());
  EXPECT_TRUE(foreign->HasPainter());
  ownDraws = 0;
  show();
  EXPECT_GT(ownDraws, 0);
}

TEST_F(SkinnedMenusTest, SkinnedItemsAreChosenByKeyboardAndByMouse) {
  auto *popup = TComponent::Create<TPopupMenu>(form);
  popup->SetWindowHandle(form->Handle());
  std::vector<std::string> chosen;
  for (const char *caption : {"First", "Second"}) {
    auto *item = TComponent::Create<TMenuItem>(popup);
    item->SetCaption(caption);
    item->OnClick = [&chosen, caption](TObject *) { chosen.push_back(caption); };
    popup->Items().Add(item);
  }
  WhenWindowAppears(L"#32768", [&](HWND) {
    for (WORD key : {VK_DOWN, VK_DOWN, VK_RETURN})
      PostMessageW(form->Handle(), WM_KEYDOWN, key, 0);
  });
  popup->Popup(form->Left() + 20, form->Top() + 30);
  PumpUntil([&] { return !chosen.empty(); }, 1000);

  WhenWindowAppears(L"#32768", [&](HWND window) {
    UpdateWindow(window);
    RECT first;
    GetMenuItemRect(nullptr, MenuOf(window), 0, &first);
    SetCursorPos((first.left + first.right) / 2, (first.top + first.bottom) / 2);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
  });
  popup->Popup(form->Left() + 20, form->Top() + 30);
  PumpUntil([&] { return chosen.size() == 2; }, 1000);
  EXPECT_EQ(chosen, (std::vector<std::string>{"Second", "First"}));
  EXPECT_TRUE(popup->Items().Items(0)->HasPainter());
}

TEST_F(SkinnedMenusTest, TheExtraLineIsAskedForOncePerMenuAndWidensItsFirstColumnButNeverTheSkinsMenu) {
  manager->MenuSupport().UseExtraLine = true;
  std::vector<std::string> asked;
  manager->OnGetMenuExtraLineData = [&](TComponent *first, std::string &, bool &, Image24 &, std::string &text) {
    asked.push_back(first->Name());
    text = "&Kelvora";
  };
  auto *popup = TComponent::Create<TPopupMenu>(form);
  popup->SetWindowHandle(form->Handle());
  for (const char *caption : {"First", "Second", "Third"}) {
    auto *item = TComponent::Create<TMenuItem>(popup);
    item->SetCaption(caption);
    popup->Items().Add(item);
  }
  popup->Items().Items(0)->SetName("Plain");
  struct Shown {
    int Width = 0;
    TColor Strip = 0; // the strip's colour beside the first item
  };
  auto show = [&] {
    Shown shown;
    WhenWindowAppears(L"#32768", [&](HWND window) {
      UpdateWindow(window);
      const Image24 shot = OnScreen(window);
      const RECT first = ItemRect(window, 0);
      shown = {shot.Width(), shot.Pixel(first.left + 2, (first.top + first.bottom) / 2)};
      EndMenu();
    });
    popup->Popup(form->Left() + 20, form->Top() + 30);
    return shown;
  };
  const Shown withLine = show();
  EXPECT_EQ(asked, std::vector<std::string>{"Plain"});
  EXPECT_GT(BlueOf(withLine.Strip), RedOf(withLine.Strip) + 40); // the EXTRALINE section's blue

  popup->Items().Items(0)->SetName("SkinSelectItem"); // the skins list of the system menu
  const Shown without = show();
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(withLine.Width - without.Width, manager->MenuSupport().ExtraLineWidth);
  EXPECT_LT(BlueOf(without.Strip), RedOf(without.Strip) + 40);
}

TEST_F(SkinnedMenusTest, FiftyMenusOpenedAndClosedKeepTheHandlesAndLeaveNoAdapter) {
  WithSystemMenu([](HWND) {}); // the first one makes what is made once
  PumpUntil([] { return false; }, 50);
  const GdiUsage before = ToolkitGdiUsage();
  const DWORD systemBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  int shaped = 0;
  for (int i = 0; i < 50; ++i)
    WithSystemMenu([&](HWND window) { shaped += HasRegion(window); });
  PumpUntil([] { return AdoptedMenuWindows() == 0; }, 2000);
  EXPECT_EQ(shaped, 50);
  EXPECT_EQ(AdoptedMenuWindows(), 0);
  const GdiUsage after = ToolkitGdiUsage();
  EXPECT_EQ(after.objects, before.objects);
  EXPECT_EQ(after.deviceContexts, before.deviceContexts);
  EXPECT_EQ(after.deletedWhileSelected, before.deletedWhileSelected);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), systemBefore + 2);
}

TEST_F(SkinnedMenusTest, OnePaintOfTheSystemMenuShowsTheSkinsBackgroundIconColumnItemsDividerAndShortcut) {
  const TsSkin &skin = *manager->Skin();
  const TsGeneralData &background = skin.GeneralData[static_cast<size_t>(skin.SectionIndex("MAINMENU"))];
  const TsGeneralData &item = skin.GeneralData[static_cast<size_t>(skin.SectionIndex("MENUITEM"))];
  Image24 shot;
  RECT restore{}, move{}, minimize{}, divider{}, close{};
  WhenWindowAppears(L"#32768", [&](HWND window) {
    // Down twice: Restore (disabled), then Move.
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    After(300, [&, window] {
      UpdateWindow(window);
      shot = OnScreen(window);
      restore = ItemRect(window, 0);
      move = ItemRect(window, 1);
      minimize = ItemRect(window, 3);
      divider = ItemRect(window, 4);
      close = ItemRect(window, 5);
      EndMenu();
    });
  });
  provider->PopupSystemMenu({form->Left() + 20, form->Top() + 30});
  ASSERT_FALSE(shot.Empty());

  // Glyph 16, margin 3, spacing 6: the icon column is 25 wide, inside the skin's border.
  const int columnLeft = static_cast<TsSkinableMenus *>(manager->SkinableMenus())->SkinBorderWidth();
  const int columnRight = columnLeft + 25, textRight = minimize.right - 40;
  const int middle = (minimize.top + minimize.bottom) / 2;
  EXPECT_EQ(shot.Pixel(textRight, middle), background.Color);
  for (int x = columnLeft; x < columnRight; ++x) {
    const TColor c = shot.Pixel(x, middle);
    EXPECT_NE(c, background.Color) << x;
    // Within the column's gradient, red 0xEC to 0xDE.
    EXPECT_TRUE(RedOf(c) <= 0xEC && RedOf(c) >= 0xDE) << x;
  }
  // The selected item in the skin's hot colour, its caption in the hot font colour.
  EXPECT_EQ(shot.Pixel(move.right - 20, (move.top + move.bottom) / 2), item.HotColor);
  EXPECT_EQ(DarkestRed(shot, move.left + 34, move.left + 70, move), RedOf(item.HotFontColor[0]));
  // Enabled text in the font colour; disabled text 0.4 of it over 0.6 of the background.
  const int font = RedOf(item.FontColor[0]);
  EXPECT_EQ(DarkestRed(shot, minimize.left + 34, minimize.left + 70, minimize), font);
  const int faded = (4 * font + 6 * RedOf(background.Color)) / 10;
  EXPECT_NEAR(DarkestRed(shot, restore.left + 34, restore.left + 70, restore), faded, 3);
  // The divider: 2 rows right of the icon column, the column itself left as it is.
  EXPECT_EQ(divider.bottom - divider.top, 2);
  EXPECT_NE(shot.Pixel((divider.left + divider.right) / 2, divider.top), background.Color);
  EXPECT_EQ(shot.Pixel(columnLeft + 2, divider.top), shot.Pixel(columnLeft + 2, middle));
  EXPECT_EQ(shot.Pixel(columnRight, middle), background.Color);
  // "Alt+F4" ends 8 pixels before the item's right edge.
  EXPECT_EQ(DarkestRed(shot, close.right - 8, close.right, close), RedOf(background.Color));
  EXPECT_EQ(DarkestRed(shot, close.right - 20, close.right - 8, close), font);
}

} // namespace
