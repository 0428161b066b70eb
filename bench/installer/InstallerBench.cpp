// Times installers side by side inside one Wine prefix (or on Windows):
//   installer_bench ROUNDS FLOOR OURS [NSIS]
// FLOOR is the bare window program, OURS our installer, NSIS an NSIS installer of the same job and payload.
// Every round runs each program once per measurement, the order turning from round to round, so that a
// machine that is busier for a while burdens all of them alike:
// - silent install: from the start of the process to its end; FLOOR shows and paints its window and ends,
//   OURS installs with "iKey", NSIS with "/S";
// - start to window: from the start of the process until a visible window of it exists and its thread has
//   come back to its message loop; then the window is closed.
// Before each run the installed folders are removed and the previous run's started program must have ended;
// neither is timed. It prints medians and quartiles, and the ratios: ours above the floor against NSIS above
// the floor, and start to window against the floor's. The ratios are taken from the medians of each round's
// own differences and quotients, so that a busy stretch of the machine, which slows all programs of a round
// alike, moves them little.

#include <windows.h>

#include <mmsystem.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct Subject {
  std::string name;
  std::wstring program;
  std::wstring silentArguments;
  std::vector<double> silentMs{}, windowMs{};
};

class Child {
public:
  Child(const std::wstring &program, const std::wstring &arguments) {
    std::wstring line = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info = {};
    started_ = Clock::now();
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      throw std::runtime_error("cannot start " + fs::path(program).string());
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
    id_ = info.dwProcessId;
  }

  // Milliseconds from the start to the end; the exit code goes to exitCode.
  double WaitForExit(DWORD &exitCode) {
    if (WaitForSingleObject(process_.get(), 60000) != WAIT_OBJECT_0) throw std::runtime_error("a run took over 60 s");
    const double ms = MsSinceStart();
    GetExitCodeProcess(process_.get(), &exitCode);
    return ms;
  }

  // Milliseconds from the start until a visible top-level window of the process exists and its thread has
  // handled a message sent to it; the window goes to shown.
  double WaitForWindow(HWND &shown) {
    for (shown = nullptr; !(shown = VisibleWindow());) {
      if (WaitForSingleObject(process_.get(), 1) == WAIT_OBJECT_0) throw std::runtime_error("ended without a window");
      if (Clock::now() - started_ > 60s) throw std::runtime_error("no window within 60 s");
    }
    SendMessageTimeoutW(shown, WM_NULL, 0, 0, SMTO_NORMAL, 60000, nullptr);
    return MsSinceStart();
  }

  void Close(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 1);
      WaitForSingleObject(process_.get(), INFINITE);
    }
  }

private:
  double MsSinceStart() const { return std::chrono::duration<double, std::milli>(Clock::now() - started_).count(); }

  struct WindowSearch {
    DWORD id;
    HWND found;
  };

  static BOOL CALLBACK CheckWindow(HWND window, LPARAM data) {
    auto *search = reinterpret_cast<WindowSearch *>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->id || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
  }

  HWND VisibleWindow() const {
    WindowSearch search{id_, nullptr};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  UniqueHandle process_;
  DWORD id_ = 0;
  Clock::time_point started_;
};

std::wstring Environment(const wchar_t *name) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? value : L"";
}

// The folders that either installer installs into by default: Kelvora under Program Files as a 32-bit and
// as a 64-bit program sees it.
std::vector<fs::path> InstallFolders() {
  std::vector<fs::path> folders;
  for (const wchar_t *name : {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"}) {
    std::wstring base = Environment(name);
    if (!base.empty() && std::find(folders.begin(), folders.end(), fs::path(base) / L"Kelvora") == folders.end())
      folders.push_back(fs::path(base) / L"Kelvora");
  }
  return folders;
}

bool ProgramRunning(const wchar_t *exeName) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
    if (_wcsicmp(entry.szExeFile, exeName) == 0) return true;
  return false;
}

// Waits until the program that an install started has ended, then removes what the installs left.
void CleanUp(const std::vector<fs::path> &folders) {
  for (auto until = Clock::now() + 10s; ProgramRunning(L"Kelvora.exe") && Clock::now() < until;)
    std::this_thread::sleep_for(5ms);
  for (const fs::path &folder : folders) {
    std::error_code error;
    for (auto until = Clock::now() + 5s; fs::exists(folder) && Clock::now() < until;) {
      fs::remove_all(folder, error);
      if (fs::exists(folder)) std::this_thread::sleep_for(10ms);
    }
    if (fs::exists(folder)) throw std::runtime_error("cannot remove " + folder.string());
  }
}

void RunSilent(Subject &subject, const std::vector<fs::path> &folders) {
  CleanUp(folders);
  Child child(subject.program, subject.silentArguments);
  DWORD exitCode = 0;
  subject.silentMs.push_back(child.WaitForExit(exitCode));
  if (exitCode != 0) {
    throw std::runtime_error(subject.name + " ended with exit code " + std::to_string(exitCode));
  }
}

void RunToWindow(Subject &subject, const std::vector<fs::path> &folders, bool floor) {
  CleanUp(folders);
  Child child(subject.program, floor ? L"--stay" : L"");
  HWND window = nullptr;
  subject.windowMs.push_back(child.WaitForWindow(window));
  child.Close(window);
}

double Quantile(std::vector<double> values, double q) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const double position = q * double(values.size() - 1);
  const size_t below = static_cast<size_t>(position);
  const size_t above = std::min(below + 1, values.size() - 1);
  return values[below] + (values[above] - values[below]) * (position - double(below));
}

double Median(const std::vector<double> &values) { return Quantile(values, 0.5); }

void PrintRow(const char *label, const std::vector<Subject> &subjects, std::vector<double> Subject::*series) {
  std::printf("%-22s", label);
  for (const Subject &s : subjects)
    std::printf("  %7.1f (%5.1f-%5.1f)", Median(s.*series), Quantile(s.*series, 0.25), Quantile(s.*series, 0.75));
  std::printf("\n");
}

void Report(const std::vector<Subject> &subjects, int rounds) {
  std::printf("%d rounds, interleaved; median ms (quartiles)\n%-22s", rounds, "");
  for (const Subject &s : subjects)
    std::printf("  %-21s", s.name.c_str());
  std::printf("\n");
  PrintRow("silent install", subjects, &Subject::silentMs);
  PrintRow("start to window", subjects, &Subject::windowMs);

  // Per round: a subject's silent install above the floor's, and its start to window over the floor's.
  auto above = [&](const Subject &s) {
    std::vector<double> d;
    for (size_t r = 0; r < s.silentMs.size(); ++r)
      d.push_back(s.silentMs[r] - subjects[0].silentMs[r]);
    return Median(d);
  };
  auto overFloor = [&](const Subject &s) {
    std::vector<double> q;
    for (size_t r = 0; r < s.windowMs.size(); ++r)
      q.push_back(s.windowMs[r] / subjects[0].windowMs[r]);
    return Median(q);
  };
  const Subject &ours = subjects[1];
  std::printf("\nsilent install above the floor (median of rounds): ours %.1f ms", above(ours));
  if (subjects.size() > 2)
    std::printf(", NSIS %.1f ms; ours / NSIS = %.2f\n", above(subjects[2]), above(ours) / above(subjects[2]));
  else
    std::printf("; no NSIS installer to compare\n");
  std::printf("start to window against the floor (median of rounds): ours %.2f", overFloor(ours));
  if (subjects.size() > 2) std::printf(", NSIS %.2f", overFloor(subjects[2]));
  std::printf("\n");
}

} // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "usage: installer_bench ROUNDS FLOOR OURS [NSIS]\n");
    return 2;
  }
  try {
    const int rounds = std::max(1, _wtoi(argv[1]));
    std::vector<Subject> subjects = {{"floor", argv[2], L""}, {"ours", argv[3], L"iKey"}};
    if (argc == 5) subjects.push_back({"NSIS", argv[4], L"/S"});
    const std::vector<fs::path> folders = InstallFolders();
    timeBeginPeriod(1);

    // One round that is not counted brings the programs and the system libraries into memory.
    for (int round = -1; round < rounds; ++round) {
      for (size_t i = 0; i < subjects.size(); ++i)
        RunSilent(subjects[(round + 1 + i) % subjects.size()], folders);
      for (size_t i = 0; i < subjects.size(); ++i) {
        const size_t k = (round + 1 + i) % subjects.size();
        RunToWindow(subjects[k], folders, k == 0);
      }
      if (round < 0)
        for (Subject &s : subjects)
          s.silentMs.clear(), s.windowMs.clear();
    }
    CleanUp(folders);
    Report(subjects, rounds);
  } catch (const std::exception &error) {
    std::fprintf(stderr, "installer_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
