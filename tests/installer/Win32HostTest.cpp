#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "installer/host/Win32Host.h"
#include "tests/support/Paths.h"
#include "tests/support/ShellLink.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/ui/SystemInfo.h"
#include "toolkit/base/win/Win32Text.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder under the temp folder, removed with everything in it at the end of the test.
class TempFolder {
public:
  TempFolder() {
    path_ = fs::temp_directory_path() /
            ("kelvora-host-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter_++));
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string operator/(const std::string &name) const { return paths::Utf8(path_ / paths::FromUtf8(name)); }
  std::string Path() const { return paths::Utf8(path_); }

private:
  static inline int counter_ = 0;
  fs::path path_;
};

std::string ReadAll(const std::string &path) {
  std::ifstream in(paths::FromUtf8(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

size_t EntryCount(const std::string &folder) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(paths::FromUtf8(folder)), fs::directory_iterator()));
}

// Bytes of which only the first page can be read: writing them stops part-way, as on a full disk.
class UnreadableTail {
public:
  UnreadableTail() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    page_ = system.dwPageSize;
    auto *base = static_cast<uint8_t *>(VirtualAlloc(nullptr, 2 * page_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    memory_.reset(base);
    std::fill(base, base + page_, uint8_t{0x5A});
    DWORD previous = 0;
    VirtualProtect(base + page_, page_, PAGE_NOACCESS, &previous);
  }
  std::span<const uint8_t> Bytes() const { return {memory_.get(), 2 * page_}; }

private:
  struct Release {
    void operator()(uint8_t *base) const { VirtualFree(base, 0, MEM_RELEASE); }
  };
  size_t page_ = 0;
  std::unique_ptr<uint8_t, Release> memory_;
};

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Starts the arguments probe beside this test program with the arguments after its quoted path and returns
// the lines it wrote: the argument count, then the arguments from index 0.
std::vector<std::string> RunArgumentsProbe(const std::wstring &arguments) {
  std::wstring probe = ProgramFolder() + L"host_arguments_probe.exe";
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return {};
  UniqueHandle output(readEnd), probeOutput(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  std::wstring commandLine = L"\"" + probe + L"\" " + arguments;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &started))
    return {};
  UniqueHandle process(started.hProcess), thread(started.hThread);
  probeOutput.reset();
  std::string text;
  char chunk[512];
  DWORD got = 0;
  while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0)
    text.append(chunk, got);
  WaitForSingleObject(started.hProcess, 10000);
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start - (end > start && text[end - 1] == '\r')));
  return lines;
}

std::string ErrorMessage(auto &&operation) {
  try {
    operation();
  } catch (const Exception &e) {
    return e.Message();
  }
  return "(no error)";
}

} // namespace

class Win32HostTest : public ::testing::Test {
protected:
  Win32Host host;
  TempFolder temp;
};

TEST_F(Win32HostTest, CreateDirFailuresCarryTheirTexts) {
  EXPECT_EQ(ErrorMessage([&] { host.CreateDir(temp / "missing\\child"); }), "Invalid filename");
  host.WriteFile(temp / "taken", std::span<const uint8_t>());
  EXPECT_EQ(ErrorMessage([&] { host.CreateDir(temp / "taken"); }), "I/O error 183");
  host.CreateDir(temp / "Новая папка");
  EXPECT_TRUE(host.DirectoryExists(temp / "Новая папка"));
  EXPECT_TRUE(host.DirectoryExists(temp / "Новая папка\\"));
}

TEST_F(Win32HostTest, ExistenceChecksTellFilesFromFolders) {
  host.WriteFile(temp / "file.bin", std::span<const uint8_t>());
  EXPECT_TRUE(host.FileExists(temp / "file.bin"));
  EXPECT_FALSE(host.DirectoryExists(temp / "file.bin"));
  EXPECT_FALSE(host.FileExists(temp.Path()));
  EXPECT_TRUE(host.DirectoryExists(temp.Path()));
  EXPECT_FALSE(host.FileExists(temp / "absent.bin"));
  EXPECT_FALSE(host.DirectoryExists(temp / "absent"));
}

TEST_F(Win32HostTest, WriteFileReplacesContentsAndReportsSharingViolation) {
  const std::string path = temp / "data.bin";
  const uint8_t first[] = {1, 2, 3, 4, 5}, second[] = {9, 8};
  host.WriteFile(path, first);
  host.WriteFile(path, second);
  EXPECT_EQ(ReadAll(path), std::string("\x09\x08"));

  HANDLE held =
      CreateFileW(paths::FromUtf8(path).wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::string message = ErrorMessage([&] { host.WriteFile(path, first); });
  CloseHandle(held);
  EXPECT_EQ(message, "Cannot create file \"" + path + "\". " + SystemErrorText(ERROR_SHARING_VIOLATION));
  EXPECT_NE(SystemErrorText(ERROR_SHARING_VIOLATION), "");
  EXPECT_EQ(ReadAll(path), std::string("\x09\x08"));
  // The replacement is written beside the target first; nothing of it stays behind.
  EXPECT_EQ(EntryCount(temp.Path()), 1u);
}

TEST_F(Win32HostTest, WriteFailingPartWayLeavesNoNewFileAndKeepsThePreviousOne) {
  UnreadableTail bytes;
  const std::string fresh = temp / "Kelvora.exe";
  EXPECT_EQ(ErrorMessage([&] { host.WriteFile(fresh, bytes.Bytes()); }), "Stream write error");
  EXPECT_FALSE(fs::exists(paths::FromUtf8(fresh)));
  EXPECT_EQ(EntryCount(temp.Path()), 0u);

  const std::string previous = temp / "eKalit.dll";
  const uint8_t earlier[] = {1, 2, 3};
  host.WriteFile(previous, earlier);
  EXPECT_EQ(ErrorMessage([&] { host.WriteFile(previous, bytes.Bytes()); }), "Stream write error");
  EXPECT_EQ(ReadAll(previous), std::string("\x01\x02\x03"));
  EXPECT_EQ(EntryCount(temp.Path()), 1u);
}

TEST_F(Win32HostTest, SystemErrorTextDropsTrailingStopsAndLineBreaks) {
  std::string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '.');
  EXPECT_GT(static_cast<unsigned char>(text.back()), ' ');
}

TEST_F(Win32HostTest, PayloadResourcesAreFoundWhateverTheCase) {
  std::span<const uint8_t> bytes = host.OpenPayload("TestBlob");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "payload-bytes");
  EXPECT_EQ(ErrorMessage([&] { host.OpenPayload("Kelvora_exe"); }), "Resource Kelvora_exe not found");
}

TEST_F(Win32HostTest, EnvironmentVariablesAbsentOrPresent) {
  SetEnvironmentVariableW(L"KELVORA_TEST_VAR", L"C:\\Программы");
  EXPECT_EQ(host.EnvironmentVariable("KELVORA_TEST_VAR"), "C:\\Программы");
  SetEnvironmentVariableW(L"KELVORA_TEST_VAR", nullptr);
  EXPECT_EQ(host.EnvironmentVariable("KELVORA_TEST_VAR"), "");
}

TEST_F(Win32HostTest, ShortcutPointsAtItsTargetWithArguments) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  const std::string program = temp / "Kelvora.exe", link = temp / "Подписать c ЭЦП ....lnk";
  host.WriteFile(program, std::span<const uint8_t>());
  host.CreateShortcut(link, program, "-sign");
  ShellLinkContents saved = ReadShellLink(paths::FromUtf8(link));
  EXPECT_EQ(saved.target, program);
  EXPECT_EQ(saved.arguments, "-sign");
  CoUninitialize();
}

// A driver library that the probe's process cannot load (64-bit for a 32-bit installer, and the other way
// round) does not count, wherever it is found; one of the process's own width does.
TEST_F(Win32HostTest, LibraryProbeLoadsOnlyLibrariesOfItsOwnWidth) {
  const std::string name = "KelvoraProbeStandIn.dll";
  fs::create_directories(paths::FromUtf8(temp / "other"));
  fs::create_directories(paths::FromUtf8(temp / "own"));
  fs::copy_file(paths::FromUtf8(paths::WindowsPath(KELVORA_OTHER_WIDTH_STANDIN_DIR)) / "iKeyAPI.dll",
                paths::FromUtf8(temp / ("other\\" + name)));
  fs::copy_file(paths::FromUtf8(paths::WindowsPath(KELVORA_STANDIN_DIR)) / "iKeyAPI.dll",
                paths::FromUtf8(temp / ("own\\" + name)));
  const std::string path = host.EnvironmentVariable("PATH");
  auto probeWithPath = [&](const std::string &folders) {
    SetEnvironmentVariableW(L"PATH", paths::FromUtf8(folders + path).wstring().c_str());
    bool loads = host.LibraryLoads(name);
    SetEnvironmentVariableW(L"PATH", paths::FromUtf8(path).wstring().c_str());
    return loads;
  };
  EXPECT_FALSE(probeWithPath(""));
  EXPECT_FALSE(probeWithPath(temp / "other" + ";"));
  EXPECT_TRUE(probeWithPath(temp / "other" + ";" + temp / "own" + ";"));
}

TEST_F(Win32HostTest, ArgumentsAreTheWordsOfTheProcessCommandLine) {
  std::vector<std::string> reported = RunArgumentsProbe(L"iKey_eKalit \"C:\\Program Files\\Kelvora\"\tПапка a\"b c\"d");
  std::string probe = Narrow(ProgramFolder() + L"host_arguments_probe.exe");
  EXPECT_EQ(reported,
            (std::vector<std::string>{"4", probe, "iKey_eKalit", "C:\\Program Files\\Kelvora", "Папка", "ab cd"}));
  EXPECT_EQ(RunArgumentsProbe(L""), (std::vector<std::string>{"0", probe}));
}
