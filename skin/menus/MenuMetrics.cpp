#include "skin/menus/MenuMetrics.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr char RightAlignMark = 8;
constexpr int ColumnExtra = 12;
constexpr int ColumnGap = 4;

// 1.25 letter heights, rounded to the nearest integer with ties to even.
int LineHeight(int letterHeight) { return static_cast<int>(std::nearbyint(letterHeight * 1.25)); }

} // namespace

TsMenuItemKind MenuItemKind(std::string_view caption) {
  if (caption == "-") return TsMenuItemKind::Divider;
  if (caption.size() > 1 && caption.front() == '-' && caption.back() == '-') return TsMenuItemKind::Title;
  return TsMenuItemKind::Ordinary;
}

std::string MeasuredText(TsMenuItemKind kind, std::string_view caption, std::string_view shortCut) {
  switch (kind) {
  case TsMenuItemKind::Divider: return {};
  case TsMenuItemKind::Title: {
    std::string text(1, '-');
    text.append(caption).push_back('-');
    return text;
  }
  case TsMenuItemKind::Ordinary: break;
  }
  return std::string(caption) + std::string(shortCut);
}

TSize PopupItemSize(TsMenuItemKind kind, int textWidth, int letterHeight, TSize glyph, const TsMenuItemLayout &layout,
                    int extraLineWidth) {
  const int width = 2 * glyph.Width + textWidth + 3 * layout.Margin + layout.Spacing + extraLineWidth;
  switch (kind) {
  case TsMenuItemKind::Divider: return {width, 2};
  case TsMenuItemKind::Title: return {width, LineHeight(letterHeight) + 2 * layout.Margin};
  case TsMenuItemKind::Ordinary: break;
  }
  return {width, std::max(LineHeight(letterHeight), glyph.Height) + 2 * layout.Margin};
}

TSize PopupMenuSize(const std::vector<TsMenuItemBox> &items) {
  int width = 0, height = 0, columnWidth = 0, columnHeight = 0, columns = 0;
  auto closeColumn = [&] {
    if (columns == 0) return;
    width += columnWidth + ColumnExtra;
    height = std::max(height, columnHeight);
  };
  for (const TsMenuItemBox &item : items) {
    if (columns == 0 || item.StartsColumn) {
      closeColumn();
      columnWidth = columnHeight = 0;
      ++columns;
    }
    columnWidth = std::max(columnWidth, item.Size.Width);
    columnHeight += item.Size.Height;
  }
  closeColumn();
  return {width + ColumnGap * std::max(columns - 1, 0), height};
}

int MenuSkinBorderWidth(const TsSkin &skin) {
  const int index = skin.ImageIndexByName("MAINMENU", "BORDERSMASK");
  if (!skin.IsValidImageIndex(index)) return 0;
  const int width = skin.Masks[static_cast<size_t>(index)].BorderWidth;
  return width > 0 ? width : 3;
}

std::string WithoutAmpersands(std::string_view text) {
  std::string result(text);
  std::erase(result, '&');
  return result;
}

std::string TitleCaption(std::string_view caption) {
  size_t start = caption.find_first_not_of('-');
  if (start == std::string_view::npos) return {};
  const size_t end = caption.find('-', start);
  return std::string(caption.substr(start, end == std::string_view::npos ? end : end - start));
}

TsMenuCaption MenuCaption(std::string_view caption) {
  if (!caption.empty() && caption.front() == RightAlignMark)
    return {std::string(caption.substr(1)) + std::string(6, ' '), true};
  return {std::string(caption), false};
}
