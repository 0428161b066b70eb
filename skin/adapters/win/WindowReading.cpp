#include "skin/adapters/win/WindowReading.h"

#include "toolkit/base/win/Win32Text.h"

std::string ReadWindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

TsFont WindowFont(HWND window) {
  auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (!font) font = GetStockObject(SYSTEM_FONT);
  LOGFONTW logFont{};
  TsFont result;
  if (!GetObjectW(font, sizeof logFont, &logFont)) return result;
  result.Name = Narrow(logFont.lfFaceName);
  result.Height = logFont.lfHeight;
  result.Bold = logFont.lfWeight >= FW_BOLD;
  result.Italic = logFont.lfItalic != 0;
  result.Underline = logFont.lfUnderline != 0;
  result.StrikeOut = logFont.lfStrikeOut != 0;
  result.Charset = logFont.lfCharSet;
  return result;
}
