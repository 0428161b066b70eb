// The payload resources as the installer finds them in its executable, and the stand-ins they carry.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "installer/codec/ZlibCodec.h"
#include "tests/codec/TempFolder.h"
#include "toolkit/base/Stream.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

using Bytes = std::vector<uint8_t>;

const WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);

// Build folders are given as paths of the build machine; under Wine its root is drive Z:.
std::string FromBuildPath(const std::string &path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  for (char &c : windows)
    if (c == '/') c = '\\';
  return windows;
}

// The resource's bytes, or an empty span with found == false.
std::span<const uint8_t> FindPayload(const std::string &name, WORD language, bool &found) {
  HRSRC info = language == 0 ? FindResourceW(nullptr, Wide(name).c_str(), RT_RCDATA)
                             : FindResourceExW(nullptr, RT_RCDATA, Wide(name).c_str(), language);
  HGLOBAL loaded = info ? LoadResource(nullptr, info) : nullptr;
  const void *bytes = loaded ? LockResource(loaded) : nullptr;
  found = bytes != nullptr;
  return found ? std::span<const uint8_t>(static_cast<const uint8_t *>(bytes), SizeofResource(nullptr, info))
               : std::span<const uint8_t>();
}

std::string ReadText(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Starts commandLine and waits for it to end; false when it could not be started.
bool RunToEnd(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

struct StreamResource {
  const char *storedName;
  const char *askedName;
  const char *file;
};

const StreamResource kStreams[] = {
    {"KELVORA_EXE", "Kelvora_exe", "Kelvora.exe"},
    {"KELVORAV3DLL_DLL", "KelvoraV3DLL_dll", "KelvoraV3DLL.dll"},
    {"IKEYAPI_DLL", "iKeyAPI_dll", "iKeyAPI.dll"},
    {"EKALIT_DLL", "eKalit_dll", "eKalit.dll"},
};

} // namespace

TEST(PayloadResources, ScriptsAreTheExactCommandTextsInRussian) {
  const std::pair<const char *, std::string> scripts[] = {
      {"REGISTERDLL_CMD", "Kelvora -install"},
      {"UNREGISTERDLL_CMD", "Kelvora -uninstall"},
      {"GETMYPUBLICKEY_CMD", "Kelvora -getpublickey"},
  };
  for (const auto &[name, text] : scripts) {
    bool found = false;
    std::span<const uint8_t> bytes = FindPayload(name, kRussian, found);
    ASSERT_TRUE(found) << name;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), text) << name;
  }
  bool found = true;
  FindPayload("REGISTERDLL_CMD", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), found);
  EXPECT_FALSE(found) << "the payload is stored in Russian only";
}

TEST(PayloadResources, StreamsInflateToThePackedFiles) {
  const std::filesystem::path files = std::filesystem::u8path(FromBuildPath(KELVORA_PAYLOAD_FILES_DIR));
  for (const StreamResource &stream : kStreams) {
    bool found = false;
    std::span<const uint8_t> stored = FindPayload(stream.storedName, kRussian, found);
    ASSERT_TRUE(found) << stream.storedName;
    std::span<const uint8_t> asked = FindPayload(stream.askedName, 0, found);
    ASSERT_TRUE(found) << stream.askedName;
    EXPECT_EQ(asked.data(), stored.data()) << "names are matched without regard to case";
    ASSERT_GE(stored.size(), 2u);
    EXPECT_EQ(stored[0], 0x78);
    EXPECT_EQ(stored[1], 0xDA);
    TByteBlock inflated = DecompressBuffer(stored);
    const Bytes original = ReadFileBytes(TempFolder::Utf8(files / stream.file));
    EXPECT_TRUE(Bytes(inflated.Data(), inflated.Data() + inflated.Size()) == original) << stream.file;
  }
}

TEST(StandIns, LibrariesLoadAndNameThemselves) {
  const std::filesystem::path standins = std::filesystem::u8path(FromBuildPath(KELVORA_STANDIN_DIR));
  std::vector<Bytes> contents;
  for (const char *base : {"KelvoraV3DLL", "iKeyAPI", "eKalit"}) {
    const std::filesystem::path path = standins / (std::string(base) + ".dll");
    HMODULE library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(library, nullptr) << base;
    auto name =
        reinterpret_cast<const char *(*)()>(reinterpret_cast<void (*)()>(GetProcAddress(library, "StandInName")));
    ASSERT_NE(name, nullptr) << base;
    EXPECT_STREQ(name(), base);
    FreeLibrary(library);
    contents.push_back(ReadFileBytes(TempFolder::Utf8(path)));
  }
  EXPECT_NE(contents[0], contents[1]);
  EXPECT_NE(contents[1], contents[2]);
  EXPECT_NE(contents[0], contents[2]);
}

TEST(StandIns, ProgramRecordsTheArgumentsOfEveryStart) {
  TempFolder folder;
  const std::filesystem::path installed = folder.Path() / "Program Files" / "Kelvora";
  std::filesystem::create_directories(installed);
  std::filesystem::copy_file(std::filesystem::u8path(FromBuildPath(KELVORA_STANDIN_DIR)) / "Kelvora.exe",
                             installed / "Kelvora.exe");
  const std::wstring program = (installed / "Kelvora.exe").wstring();

  ASSERT_TRUE(RunToEnd(program + L" -install")); // an unquoted path with a blank in it
  ASSERT_TRUE(RunToEnd(L"\"" + program + L"\"  -sign \"C:\\a b.txt\""));
  ASSERT_TRUE(RunToEnd(L"\"" + program + L"\""));
  EXPECT_EQ(ReadText(installed / "Kelvora.log"), "-install\r\n-sign \"C:\\a b.txt\"\r\n\r\n");

  const std::filesystem::path elsewhere = folder.Path() / "starts.log";
  SetEnvironmentVariableW(L"KELVORA_STANDIN_LOG", elsewhere.c_str());
  const bool started = RunToEnd(program + L" -uninstall");
  SetEnvironmentVariableW(L"KELVORA_STANDIN_LOG", nullptr);
  ASSERT_TRUE(started);
  EXPECT_EQ(ReadText(elsewhere), "-uninstall\r\n");
  EXPECT_EQ(ReadText(installed / "Kelvora.log"), "-install\r\n-sign \"C:\\a b.txt\"\r\n\r\n");
}
