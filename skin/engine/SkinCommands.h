#pragma once
// The skin command message that skinned windows of the process exchange, always sent synchronously:
// the sub-command in the high 16 bits of wParam, a small parameter in the low 16 bits, the sender's
// manager (or a control, a value, 0) in lParam. Queries are answered in the result and, where the
// receiver is performed on directly, in lParam. AC_QUERYCACHE and AC_QUERYCOLOR carry in lParam the address
// of the sender's record (a TCacheInfo, a TColor) for the receiver to fill in, so their answers also come
// back from windows that are sent the message.

#include <cstdint>

// The registered name is asked for at start-up, but every part sends and compares this fixed number.
constexpr uint32_t SM_TESSORACMD = 0xA100;
constexpr const wchar_t *SkinCommandMessageName = L"SM_TESSORACMD";

enum TacSkinCommand : uint16_t {
  AC_SKINSET = 1,
  AC_SKINCLEARED = 2,
  AC_SKINREFRESH = 3,
  AC_QUERYPROVIDER = 4,
  AC_QUERYCACHE = 5,
  AC_PARENTREPAINT = 6,
  AC_QUERYSKINNED = 7,
  AC_SETUPDATING = 8,
  AC_SETPARENTMODE = 9,
  AC_QUERYBGCHANGED = 10,
  AC_QUERYHALFVISIBLE = 11,
  AC_PARENTBGCHANGED = 12,
  AC_SECTIONRELOAD = 13,
  AC_MENUPOPUP = 14,
  AC_SETPARENTLINK = 15,
  AC_STOPFADE = 16,
  AC_SETBGCHANGED = 17,
  AC_QUERYOWNBG = 19,
  AC_BGCHANGEDTREE = 20,
  AC_QUERYCOLOR = 21,
  AC_SETHALFVISIBLE = 22,
  AC_PREPAREPAINT = 23,
  AC_PAINTFADE = 24,
  AC_CONTROLADDED = 25,
  AC_QUERYSECTIONINDEX = 26,
  AC_QUERYCAPTIONBAND = 27,
  AC_ADAPTCHILDREN = 28,
  AC_MOUSEENTER = 29,
  AC_MOUSELEAVE = 30,
  AC_BEGINUPDATE = 31,
  AC_ENDUPDATE = 32,
  AC_LOCKREDRAW = 51,
  AC_UNLOCKREDRAW = 52,
  AC_QUERYAPPLICATION = 60,
  AC_QUERYOFFSET = 61,
};

constexpr uintptr_t SkinCommandWParam(uint16_t command, uint16_t param = 0) {
  return static_cast<uintptr_t>(command) << 16 | param;
}
constexpr uint16_t SkinCommandOf(uintptr_t wParam) { return static_cast<uint16_t>(wParam >> 16); }
constexpr uint16_t SkinParamOf(uintptr_t wParam) { return static_cast<uint16_t>(wParam); }
