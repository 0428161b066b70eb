// The contact sheet: a small window of the skin with the sections the installer shows.
#include "skin/model/SystemColors.h"
#include "skin/render/ItemPainting.h"
#include "tools/skinpack/ItemPicture.h"
#include "tools/skinpack/RenderPlatform.h"
#include "tools/skinpack/SkinRender.h"

namespace {

constexpr int SheetWidth = 430, SheetHeight = 212;
constexpr int Margin = 12, Top = 36, LabelGap = 3, LabelHeight = 14, TextIndent = 6;
constexpr uint32_t LabelFlags = TextFlags::Center | TextFlags::SingleLine | TextFlags::NoPrefix;
constexpr uint32_t EditFlags = TextFlags::Left | TextFlags::VCenter | TextFlags::SingleLine | TextFlags::NoPrefix;

struct Item {
  const char *section;
  TRect rect;
  int state;
  const char *caption;
  const char *label; // under the item; none for parts labelled together
};

// Left to right, top to bottom; items painted later lie on those before them (a slider on its track).
constexpr Item Items[] = {
    {"BUTTON", {Margin, Top, Margin + 75, Top + 21}, 0, "Установка", "BUTTON 0"},
    {"BUTTON", {Margin + 83, Top, Margin + 158, Top + 21}, 1, "Установка", "BUTTON 1"},
    {"BUTTON", {Margin + 166, Top, Margin + 241, Top + 21}, 2, "Установка", "BUTTON 2"},
    {"EDIT", {Margin, Top + 46, Margin + 180, Top + 67}, 0, "C:\\Program Files\\Kelvora", "EDIT 0"},
    {"EDIT", {Margin + 188, Top + 46, Margin + 368, Top + 67}, 1, "C:\\Program Files\\Kelvora", "EDIT 1"},
    {"GAUGE", {Margin, Top + 92, Margin + 368, Top + 108}, 0, nullptr, "GAUGE with PROGRESSH"},
    {"PROGRESSH", {Margin + 2, Top + 94, Margin + 222, Top + 106}, 0, nullptr, nullptr},
    {"SCROLLBAR1H",
     {Margin + 17, Top + 132, Margin + 351, Top + 149},
     0,
     nullptr,
     "SCROLLBTN*, SCROLLBAR1H/1V, SCROLLSLIDERH/V"},
    {"SCROLLBTNLEFT", {Margin, Top + 132, Margin + 17, Top + 149}, 0, nullptr, nullptr},
    {"SCROLLSLIDERH", {Margin + 110, Top + 132, Margin + 170, Top + 149}, 0, nullptr, nullptr},
    {"SCROLLBTNRIGHT", {Margin + 351, Top + 132, Margin + 368, Top + 149}, 1, nullptr, nullptr},
    {"SCROLLBAR1V", {SheetWidth - Margin - 17, Top + 17, SheetWidth - Margin, Top + 132}, 0, nullptr, nullptr},
    {"SCROLLBTNTOP", {SheetWidth - Margin - 17, Top, SheetWidth - Margin, Top + 17}, 0, nullptr, nullptr},
    {"SCROLLSLIDERV", {SheetWidth - Margin - 17, Top + 40, SheetWidth - Margin, Top + 90}, 1, nullptr, nullptr},
    {"SCROLLBTNBOTTOM", {SheetWidth - Margin - 17, Top + 132, SheetWidth - Margin, Top + 149}, 0, nullptr, nullptr},
};

} // namespace

Image24 RenderSheet(const TsSkin &skin, std::string_view title) {
  Image24 sheet = NewRenderImage(SheetWidth, SheetHeight);
  const int form = skin.SectionIndex("FORM");
  const TColor formColor = form >= 0 ? ResolveSystemColor(skin.GeneralData[form].Color) : skin.GlobalColor();
  sheet.Fill(formColor);
  if (form >= 0) {
    TsItemData window;
    window.Skin = &skin;
    window.SkinSection = "FORM";
    ResolveIndexes(window);
    PaintSkinItem(window, TCacheInfo{}, true, 0, TRect{0, 0, SheetWidth, SheetHeight}, TPoint{}, sheet, true);
  }
  const bool formHasOwnLook =
      form >= 0 && skin.GeneralData[form].GradientPercent + skin.GeneralData[form].ImagePercent > 0;
  ItemPicture items(skin, std::move(sheet), formColor, formHasOwnLook);

  items.Font.Bold = true;
  items.Paint("FORMTITLE", TRect{3, 3, SheetWidth - 3, 25}, 1, title, EditFlags, TextIndent);
  items.Font.Bold = false;
  for (const Item &item : Items) {
    const TRect &r = item.rect;
    const bool edit = item.section == std::string_view("EDIT");
    items.Paint(item.section, r, item.state, item.caption ? item.caption : "",
                edit ? EditFlags : LabelFlags | TextFlags::VCenter, edit ? TextIndent / 2 : 0);
    if (item.label)
      items.Label(item.label, TRect{r.Left - 4, r.Bottom + LabelGap, r.Right + 4, r.Bottom + LabelGap + LabelHeight},
                  "FORM", LabelFlags);
  }
  return items.TakePicture();
}
