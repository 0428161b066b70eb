#include "skin/menus/win/SkinableMenus.h"

#include <algorithm>

#include "skin/frame/win/Glyphs.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "toolkit/ui/ComCtrls.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

// The component that draws the program's menus now: one at a time, the default manager's.
TsSkinableMenus *taking = nullptr;

constexpr const char *SkinsItemName = "SkinSelectItem";
constexpr const char *DefaultExtraLineText = "Don`t forget OnGetExtraLineData event...";
constexpr TSize DefaultGlyph{16, 16};
constexpr int ColumnStripWidth = 4; // the gap before a new column

// Where an item stands among the visible items of its menu.
struct ItemPosition {
  bool First = false;
  bool Last = false;
  bool StartsColumn = false;
  bool NextStartsColumn = false;
  bool FirstColumn = true; // neither it nor an item before it starts a new column
};

bool StartsColumn(const TMenuItem &item) { return item.Break() != TMenuBreak::mbNone; }

ItemPosition PositionOf(TMenuItem &item) {
  ItemPosition position;
  const TMenuItem &menu = *item.Parent();
  std::vector<TMenuItem *> visible;
  for (int i = 0; i < menu.Count(); ++i)
    if (menu.Items(i)->Visible()) visible.push_back(menu.Items(i));
  const auto at = std::find(visible.begin(), visible.end(), &item);
  if (at == visible.end()) return position;
  position.First = at == visible.begin();
  position.Last = at + 1 == visible.end();
  position.StartsColumn = StartsColumn(item);
  position.NextStartsColumn = !position.Last && StartsColumn(**(at + 1));
  position.FirstColumn = std::none_of(visible.begin(), at + 1, [](TMenuItem *i) { return StartsColumn(*i); });
  return position;
}

TsFont SystemMenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  TsFont font;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return font;
  const LOGFONTW &menu = metrics.lfMenuFont;
  font.Name = Narrow(menu.lfFaceName);
  font.Height = menu.lfHeight;
  font.Bold = menu.lfWeight >= FW_BOLD;
  font.Italic = menu.lfItalic;
  font.Charset = menu.lfCharSet;
  return font;
}

// The form that the item's menu (or the item itself) belongs to.
TCustomForm *FormOf(TMenuItem &item) {
  for (TComponent *c = item.Menu() ? static_cast<TComponent *>(item.Menu()) : &item; c; c = c->Owner())
    if (auto *form = dynamic_cast<TCustomForm *>(c)) return form;
  return nullptr;
}

uint32_t AlignmentFlag(TsMenuAlignment alignment) {
  switch (alignment) {
  case TsMenuAlignment::Right: return TextFlags::Right;
  case TsMenuAlignment::Center: return TextFlags::Center;
  case TsMenuAlignment::Left: break;
  }
  return TextFlags::Left;
}

TRect RectOf(const RECT &r) { return {r.left, r.top, r.right, r.bottom}; }

// The background under a rectangle of the surface, copied onto it.
void ShowBackground(HDC dc, const TsMenuItemPlace &place, const TRect &r) {
  CopyImageToDC(dc, place.Background,
                {r.Left + place.Origin.X, r.Top + place.Origin.Y, r.Right + place.Origin.X, r.Bottom + place.Origin.Y},
                {r.Left, r.Top});
}

void ShowPicture(HDC dc, const Image24 &picture, int x, int y) {
  CopyImageToDC(dc, picture, {0, 0, picture.Width(), picture.Height()}, {x, y});
}

// The item's own bitmap, else its picture of the menu's image list, centred in the icon's square.
void DrawItemIcon(TMenuItem &item, Image24 &picture) {
  TBitmap &bitmap = item.Bitmap();
  if (!bitmap.Empty()) {
    const int at = (picture.Height() - bitmap.Height()) / 2;
    const TColor key = BitmapPixels(bitmap).Pixel(0, bitmap.Height() - 1);
    DrawGlyphKeyed(picture, bitmap, {at, at, at + bitmap.Width(), at + bitmap.Height()}, key);
    return;
  }
  TImageList *images = item.Menu() ? item.Menu()->Images() : nullptr;
  if (!images || item.ImageIndex() < 0) return;
  const int at = (picture.Height() - images->Height()) / 2;
  const ImageSurface surface(picture);
  TCanvas canvas;
  const CanvasHandleScope scope(canvas, surface.Handle());
  images->Draw(canvas, at, at, item.ImageIndex(), item.Enabled());
}

} // namespace

TsSkinableMenus::TsSkinableMenus(TsSkinManager &manager) : manager_(manager) {}

TsSkinableMenus::~TsSkinableMenus() {
  if (active_) GiveBack();
}

int TsSkinableMenus::SkinBorderWidth() {
  if (skinBorderWidth_ < 0 && manager_.Skin()) skinBorderWidth_ = MenuSkinBorderWidth(*manager_.Skin());
  return std::max(skinBorderWidth_, 0);
}

// ------------------------------------------------------------------------------------------ taking over

void TsSkinableMenus::SkinAnnounced() {
  skinBorderWidth_ = -1;
  ReleaseMenuState();
}

bool TsSkinableMenus::Wanted() const {
  return manager_.IsDefault() && manager_.SkinLoaded() && manager_.SkinnedPopups();
}

void TsSkinableMenus::SkinStateChanged() {
  // A manager that stopped being the default one leaves the menus to the new one.
  if (taking && taking != this && !taking->Wanted()) taking->GiveBack();
  if (Wanted())
    TakeOver();
  else if (active_)
    GiveBack();
}

void TsSkinableMenus::TakeOver() {
  if (taking && taking != this) taking->GiveBack();
  if (!active_) {
    active_ = true;
    taking = this;
    previousHook_ = SetMenuHook(this);
    SetMenuBackdrop(this);
  }
  if (Application) HookComponents(*Application);
}

void TsSkinableMenus::GiveBack() {
  for (TMenuItem *item : painted_)
    item->ClearPainter();
  painted_.clear();
  // Only the component's own hook goes; one installed after it stays.
  if (TMenuHook *current = SetMenuHook(previousHook_); current != this) SetMenuHook(current);
  SetMenuBackdrop(nullptr);
  ReleaseMenuWindows();
  ReleaseMenuState();
  active_ = false;
  if (taking == this) taking = nullptr;
}

void TsSkinableMenus::HookComponents(TComponent &owner) {
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    TComponent *component = owner.Components(i);
    if (auto *menu = dynamic_cast<TMenu *>(component))
      HookTree(menu->Items());
    else if (auto *item = dynamic_cast<TMenuItem *>(component); item && !item->Menu() && !item->Parent())
      HookTree(*item); // a tree of its own: its sub-items pop up
    HookComponents(*component);
  }
}

void TsSkinableMenus::HookTree(TMenuItem &root) {
  for (int i = 0; i < root.Count(); ++i) {
    Hook(*root.Items(i));
    HookTree(*root.Items(i));
  }
}

void TsSkinableMenus::Hook(TMenuItem &item) {
  // An item with a painter of someone else keeps it, and the program's own handlers stay in charge.
  if (painted_.count(&item) || item.HasPainter()) return;
  TMenuItemPainter painter;
  if (!item.OnMeasureItem)
    painter.Measure = [this](TObject *sender, TCanvas &, int &width, int &height) {
      MeasurePopupItem(*static_cast<TMenuItem *>(sender), width, height);
    };
  if (!item.OnDrawItem)
    painter.Draw = [this](TObject *sender, TCanvas &canvas, RECT rect, TOwnerDrawState state) {
      DrawPopupItem(*static_cast<TMenuItem *>(sender), canvas, rect, state);
    };
  if (!painter.Measure && !painter.Draw) return;
  item.SetPainter(std::move(painter));
  painted_.insert(&item);
}

void TsSkinableMenus::ItemAdded(TMenuItem &item) {
  Hook(item);
  HookTree(item);
}

void TsSkinableMenus::ItemRemoved(TMenuItem &item) {
  if (painted_.erase(&item)) item.ClearPainter();
  if (&item == state_.Menu || item.Parent() == state_.Menu) ReleaseMenuState();
}

void TsSkinableMenus::PopupOpening(TPopupMenu &menu) { HookTree(menu.Items()); }

// ------------------------------------------------------------------------------------------- the menu

void TsSkinableMenus::ReleaseMenuState() { state_ = MenuState{}; }

const Image24 *TsSkinableMenus::BackgroundOf(HWND window) const {
  if (!window || window != state_.Window || state_.Background.Empty()) return nullptr;
  RECT r;
  GetWindowRect(window, &r);
  const bool fits = r.right - r.left == state_.Background.Width() && r.bottom - r.top == state_.Background.Height();
  return fits ? &state_.Background : nullptr;
}

void TsSkinableMenus::WindowGone(HWND window) {
  if (window == state_.Window) ReleaseMenuState();
}

TsFont TsSkinableMenus::ItemFont(TMenuItem &item, bool bold) const {
  TsFont font = SystemMenuFont();
  if (TCustomForm *form = FormOf(item)) font.Charset = static_cast<uint8_t>(form->Font().Charset());
  if (bold) font.Bold = true;
  return font;
}

TSize TsSkinableMenus::GlyphSize(TMenuItem &item) const {
  if (!item.Bitmap().Empty()) return {item.Bitmap().Width(), item.Bitmap().Height()};
  if (const TImageList *images = item.Menu() ? item.Menu()->Images() : nullptr)
    return {images->Width(), images->Height()};
  return DefaultGlyph;
}

void TsSkinableMenus::AskExtraLine(TMenuItem &menu) {
  if (state_.ExtraLineAsked) return;
  state_.ExtraLineAsked = true;
  TsExtraLine line;
  const std::string &caption = manager_.MenuSupport().ExtraLineCaption;
  line.Text = caption.empty() ? DefaultExtraLineText : caption;
  TMenuItem *first = menu.Items(0);
  if (first->Name() == SkinsItemName)
    line.Show = false;
  else if (manager_.OnGetMenuExtraLineData)
    manager_.OnGetMenuExtraLineData(first, line.Section, line.Show, line.Picture, line.Text);
  line.Text = WithoutAmpersands(line.Text);
  if (!line.Show) line.Picture = Image24();
  state_.ExtraLine = std::move(line);
}

bool TsSkinableMenus::ExtraLineShown() const {
  return manager_.MenuSupport().UseExtraLine && state_.ExtraLine.Show && manager_.MenuSupport().ExtraLineWidth > 0;
}

int TsSkinableMenus::ExtraLineShare(TMenuItem &item) const {
  return ExtraLineShown() && PositionOf(item).FirstColumn ? manager_.MenuSupport().ExtraLineWidth : 0;
}

TSize TsSkinableMenus::MeasuredSize(TMenuItem &item) {
  const TsMenuItemKind kind = MenuItemKind(item.Caption());
  const Image24 probe = CreateDib24(1, 1);
  GdiTextCanvas canvas(probe);
  canvas.Font = ItemFont(item, item.Default());
  const std::string text = MeasuredText(kind, item.Caption(), ShortCutToText(item.ShortCut()));
  const int textWidth =
      text.empty() ? 0 : canvas.TextRectSize(text, 0, TextFlags::SingleLine | TextFlags::ExpandTabs).Width;
  return PopupItemSize(kind, textWidth, canvas.TextHeight("W"), GlyphSize(item), Layout(), ExtraLineShare(item));
}

TSize TsSkinableMenus::MenuSizeOf(TMenuItem &menu) {
  std::vector<TsMenuItemBox> boxes;
  for (int i = 0; i < menu.Count(); ++i)
    if (TMenuItem &item = *menu.Items(i); item.Visible()) boxes.push_back({MeasuredSize(item), StartsColumn(item)});
  return PopupMenuSize(boxes);
}

void TsSkinableMenus::MeasurePopupItem(TMenuItem &item, int &width, int &height) {
  TMenuItem *menu = item.Parent();
  if (item.IsDestroying() || !menu || !manager_.Skin()) return;
  if (menu != state_.Menu) {
    ReleaseMenuState();
    state_.Menu = menu;
  }
  AskExtraLine(*menu);
  const TSize size = MeasuredSize(item);
  width = size.Width;
  height = size.Height;
}

void TsSkinableMenus::BuildMenuBackground(TMenuItem &menu, TSize size, HWND window) {
  const Image24 &background = state_.Background;
  if (!background.Empty() && &menu == state_.Menu && background.Width() == size.Width &&
      background.Height() == size.Height) {
    if (window && window != state_.Window) SetUpWindow(window);
    return;
  }
  state_.Menu = &menu;
  AskExtraLine(menu);
  const TsSkin &skin = *manager_.Skin();
  const TacMenuSupport &support = manager_.MenuSupport();
  state_.GlyphWidth = GlyphSize(*menu.Items(0)).Width;
  state_.IconColumnWidth = Margin + state_.GlyphWidth + Spacing;
  TsMenuBackgroundLook look;
  look.Size = size;
  look.SkinBorder = SkinBorderWidth();
  look.ExtraLineWidth = ExtraLineShown() ? support.ExtraLineWidth : 0;
  look.ExtraLine = &state_.ExtraLine;
  look.ExtraLineFont = support.ExtraLineFont.Font;
  look.IconColumnWidth = state_.IconColumnWidth;
  // A manager made in code, not read from a layout, names no section yet.
  look.IconLineSection = support.IcoLineSkin.empty() ? TacMenuSupport::DefaultIcoLineSkin : support.IcoLineSkin;
  state_.Background = PaintMenuBackground(skin, look);
  state_.ExtraLine.Picture = Image24(); // painted into the background
  state_.RegionRuns = MenuRegionRuns(skin, size);
  state_.Window = nullptr;
  if (window) SetUpWindow(window);
}

void TsSkinableMenus::SetUpWindow(HWND window) {
  // Giving the window its region repaints it, which may draw items again before this returns.
  if (settingUp_) return;
  state_.Window = window;
  AdoptMenuWindow(window);
  settingUp_ = true;
  const Image24 &background = state_.Background;
  GdiObject outline(CreateRectRgn(0, 0, background.Width(), background.Height()));
  auto cut = [&outline](const TRect &r) {
    const GdiObject piece(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
    CombineRgn(static_cast<HRGN>(outline.Get()), static_cast<HRGN>(outline.Get()), static_cast<HRGN>(piece.Get()),
               RGN_DIFF);
  };
  if (state_.RegionRuns.empty()) cut({0, 0, 1, 1});
  for (const TRect &run : state_.RegionRuns)
    cut(run);
  // The system owns the region from here on.
  SetWindowRgn(window, static_cast<HRGN>(outline.Release()), TRUE);
  settingUp_ = false;
}

// ------------------------------------------------------------------------------------------- drawing

void TsSkinableMenus::DrawPopupItem(TMenuItem &item, TCanvas &canvas, RECT rect, TOwnerDrawState state) {
  TMenuItem *menu = item.Parent();
  if (!manager_.Skin() || !menu || item.IsDestroying()) return;
  if (menu != state_.Menu) {
    ReleaseMenuState();
    state_.Menu = menu;
  }
  const HDC dc = canvas.Handle();
  const TsMenuSurface surface = MenuSurfaceOf(dc);
  TSize size;
  TPoint origin{BorderWidth, BorderWidth};
  if (surface.Window) {
    RECT r;
    GetWindowRect(surface.Window, &r);
    size = {r.right - r.left, r.bottom - r.top};
    const POINT client = ClientOriginOf(surface.Window);
    origin = {client.x, client.y};
  } else {
    AskExtraLine(*menu);
    const TSize items = MenuSizeOf(*menu);
    size = {items.Width + 2 * BorderWidth, items.Height + 2 * BorderWidth};
  }
  BuildMenuBackground(*menu, size, surface.Window);
  const TsMenuItemPlace place{state_.Background, origin, RectOf(rect), ExtraLineShare(item)};
  if (surface.Window) CopyFrameStrips(item, place, dc, surface);
  const TsSkin &skin = *manager_.Skin();
  switch (MenuItemKind(item.Caption())) {
  case TsMenuItemKind::Divider:
    ShowPicture(dc, PaintDividerPicture(skin, place, Layout(), state_.IconColumnWidth), rect.left, rect.top);
    return;
  case TsMenuItemKind::Title:
    ShowPicture(dc, PaintTitlePicture(skin, place, item.Caption(), CaptionFont), rect.left, rect.top);
    return;
  case TsMenuItemKind::Ordinary: PaintOrdinaryItem(item, place, dc, state); return;
  }
}

void TsSkinableMenus::CopyFrameStrips(TMenuItem &item, const TsMenuItemPlace &place, HDC dc,
                                      const TsMenuSurface &surface) {
  const Image24 &background = state_.Background;
  const int w = background.Width(), h = background.Height(), b = BorderWidth;
  const int top = place.Item.Top + place.Origin.Y, bottom = place.Item.Bottom + place.Origin.Y;
  const ItemPosition position = PositionOf(item);
  std::vector<TRect> strips; // in window coordinates
  if (position.First) strips.push_back({0, 0, w, b});
  if (position.Last) strips.push_back({0, h - b, w, h});
  strips.push_back({0, top, place.ExtraLine + std::max(SkinBorderWidth(), b), bottom});
  strips.push_back({w - b, top, w, bottom});
  auto copy = [&](HDC target, TPoint shift) {
    for (const TRect &strip : strips)
      CopyImageToDC(target, background, strip, {strip.Left + shift.X, strip.Top + shift.Y});
  };
  // A window that prints itself draws into dc with the client area's origin at (0, 0).
  if (surface.Printing) return copy(dc, {-place.Origin.X, -place.Origin.Y});
  const WindowDC windowDc(surface.Window, true);
  copy(windowDc.Get(), {0, 0});
}

void TsSkinableMenus::PaintOrdinaryItem(TMenuItem &item, const TsMenuItemPlace &place, HDC dc, TOwnerDrawState state) {
  const TRect &r = place.Item;
  const Image24 &background = state_.Background;
  const ItemPosition position = PositionOf(item);
  const int innerBottom = background.Height() - BorderWidth - place.Origin.Y;
  // The gap below the last item of a column shows the background.
  if (position.NextStartsColumn || (position.Last && r.Bottom < innerBottom))
    ShowBackground(dc, place, {r.Left, r.Bottom, r.Right, innerBottom});
  if (position.StartsColumn)
    ShowBackground(dc, place,
                   {r.Left - ColumnStripWidth, r.Top, r.Left, r.Top + background.Height() - 2 * BorderWidth});

  const bool enabled = !(state & (odGrayed | odDisabled));
  TsMenuItemLook look;
  look.Caption = MenuCaption(item.Caption());
  look.ShortCut = ShortCutToText(item.ShortCut());
  look.Font = ItemFont(item, state & odDefault);
  look.Alignment = AlignmentFlag(Alignment);
  look.Enabled = enabled;
  look.Selected = state & odSelected;
  look.HotTracked = state & odHotLight;
  look.Checked = state & odChecked;
  look.Radio = item.RadioItem();
  look.HidePrefix = state & odNoAccel;
  look.GlyphWidth = state_.GlyphWidth;
  look.Layout = Layout();
  look.DrawIcon = [&item](Image24 &picture) { DrawItemIcon(item, picture); };
  Image24 picture = PaintItemPicture(*manager_.Skin(), place, look);
  if (OnDrawItem && !picture.Empty()) {
    const ImageSurface surface(picture);
    TCanvas canvas;
    const CanvasHandleScope scope(canvas, surface.Handle());
    OnDrawItem(&item, canvas, TsMenuItemKind::Ordinary, state, RECT{0, 0, picture.Width(), picture.Height()});
  }
  if (!enabled) FadeDisabledPicture(picture, place);
  ShowPicture(dc, picture, r.Left + place.ExtraLine, r.Top);
  // The extra line beside all items, from the first one.
  if (position.First && place.ExtraLine > 0)
    ShowBackground(dc, place, {0, 0, place.ExtraLine + BorderWidth, background.Height()});
}

void InstallSkinableMenus() {
  SetManagerMenusFactory([](TsSkinManager &manager) { return std::make_unique<TsSkinableMenus>(manager); });
}
