#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <filesystem>
#include <fstream>

#include "installer/host/Win32Host.h"
#include "tests/support/Paths.h"
#include "toolkit/base/Exceptions.h"

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
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1);
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
  const std::string link = temp / "Подписать c ЭЦП ....lnk";
  host.CreateShortcut(link, "C:\\Kelvora\\Kelvora.exe", "-sign");
  EXPECT_TRUE(host.FileExists(link));
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

TEST_F(Win32HostTest, ArgumentsComeFromTheProcessCommandLine) {
  EXPECT_GE(host.ParamCount(), 0);
  EXPECT_NE(host.ParamStr(0).find("installer_host_tests"), std::string::npos);
}
