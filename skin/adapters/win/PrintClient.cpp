#include "skin/adapters/win/PrintClient.h"

#include "toolkit/ui/Graphics.h"

void PrintClientArea(HWND window, HDC dc, LPARAM flags) {
  const DcStateScope state(dc);
  RECT frame, client;
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  OffsetViewportOrgEx(dc, origin.x - frame.left, origin.y - frame.top, nullptr);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  const WPARAM target = reinterpret_cast<WPARAM>(dc);
  SendMessageW(window, WM_ERASEBKGND, target, 0);
  SendMessageW(window, WM_PAINT, target, 0);
  SendMessageW(window, WM_PRINTCLIENT, target, flags);
}
