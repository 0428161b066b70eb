// Times how long a program takes to show its window, against a bare Win32 window, side by side in one run:
//   startup_timing ROUNDS PROGRAM
// Each round starts this program itself with "--bare" (a registered class, one window of the installer's
// client size, shown and painted) and PROGRAM, in turns whose order alternates, and takes the time from
// the start of the process until a visible top-level window of it exists and its thread has handled a
// message sent to it; the window is then closed. It prints the medians and the median of the rounds'
// quotients, so a busy stretch of the machine, which slows both programs of a round, moves the ratio little.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(window, &paint);
    return 0;
  }
  case WM_DESTROY: PostQuitMessage(0); return 0;
  default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

int RunBareWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BareWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  windowClass.lpszClassName = L"BareWindow";
  if (!RegisterClassW(&windowClass)) return 1;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT bounds{0, 0, 440, 213};
  AdjustWindowRect(&bounds, style, FALSE);
  HWND window =
      CreateWindowExW(0, L"BareWindow", L"Bare window", style, CW_USEDEFAULT, CW_USEDEFAULT, bounds.right - bounds.left,
                      bounds.bottom - bounds.top, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    DispatchMessageW(&message);
  return 0;
}

struct WindowSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM data) {
  auto *search = reinterpret_cast<WindowSearch *>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// Milliseconds from starting the command line until its window shows; the window is closed afterwards.
double TimeToWindow(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const Clock::time_point started = Clock::now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    throw std::runtime_error("cannot start a program");
  WindowSearch search{info.dwProcessId, nullptr};
  while (!search.found) {
    if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) throw std::runtime_error("ended without a window");
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
  }
  SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 60000, nullptr);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
  PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ms;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc == 2 && std::wcscmp(argv[1], L"--bare") == 0) return RunBareWindow();
  if (argc != 3) {
    std::fprintf(stderr, "usage: startup_timing ROUNDS PROGRAM\n");
    return 2;
  }
  const int rounds = std::max(1, _wtoi(argv[1]));
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring bare = L"\"" + std::wstring(self) + L"\" --bare";
  const std::wstring program = L"\"" + std::wstring(argv[2]) + L"\"";
  std::vector<double> bareMs, programMs, ratios;
  try {
    TimeToWindow(bare); // the first start of each pays for loading what both share
    TimeToWindow(program);
    for (int round = 0; round < rounds; ++round) {
      double b = 0, p = 0;
      if (round % 2) {
        p = TimeToWindow(program);
        b = TimeToWindow(bare);
      } else {
        b = TimeToWindow(bare);
        p = TimeToWindow(program);
      }
      bareMs.push_back(b);
      programMs.push_back(p);
      ratios.push_back(p / b);
    }
  } catch (const std::exception &error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::printf("start to window, median of %d rounds: bare window %.1f ms, program %.1f ms; ratio %.2f\n", rounds,
              Median(bareMs), Median(programMs), Median(ratios));
  return 0;
}
