// The shipped 32-bit installer on 64-bit Windows: it finds the token drivers in the 32-bit system folder
// only, and its default folder, with an earlier installation, under the 32-bit Program Files. Tests of a
// 64-bit build start the 32-bit installer beside it, and are skipped where 32-bit programs cannot run.
#include "tests/e2e/InstallerFixture.h"

namespace e2e {
namespace {

// Whether 32-bit programs run here: the 32-bit stand-in program records its start when it does. (Wine
// without its 32-bit part starts one, fails inside it and still reports exit code 0.)
bool ThirtyTwoBitProgramsRun(const fs::path &sandbox) {
  fs::path log = sandbox / "32-bit-start.log";
  try {
    Process probe(WindowsPath(KELVORA_STANDINS32_DIR) + "\\Kelvora.exe", "probe",
                  {{"KELVORA_STANDIN_LOG", paths::Utf8(log)}});
    probe.WaitForExit();
  } catch (const std::runtime_error &) {
    return false;
  }
  return ReadFileText(log) == "probe\r\n";
}

bool IsPe32(const fs::path &program) {
  std::string bytes = ReadFileText(program);
  if (bytes.size() < 0x40) return false;
  uint32_t header = 0;
  bytes.copy(reinterpret_cast<char *>(&header), sizeof header, 0x3C);
  uint16_t machine = 0;
  if (bytes.size() < header + 6u) return false;
  bytes.copy(reinterpret_cast<char *>(&machine), sizeof machine, header + 4);
  return machine == IMAGE_FILE_MACHINE_I386;
}

class The32BitInstaller : public InstallerFixture {
protected:
  The32BitInstaller() {
    installer = paths::FromUtf8(WindowsPath(KELVORA_SETUP32_EXE));
    installerWidth = Width::k32Bit;
    standIns = paths::FromUtf8(WindowsPath(KELVORA_STANDINS32_DIR));
  }
  void SetUp() override {
    InstallerFixture::SetUp();
    if (!fs::exists(installer)) GTEST_SKIP() << "no 32-bit installer at " << paths::Utf8(installer);
    ASSERT_TRUE(IsPe32(installer)) << paths::Utf8(installer) << " is no 32-bit program";
    if (!ThirtyTwoBitProgramsRun(sandbox))
      GTEST_SKIP() << "32-bit programs do not run here (Wine without its 32-bit part, wine32)";
  }
};

TEST_F(The32BitInstaller, FindsTheDriversInThe32BitSystemFolderOnly) {
  fs::path drivers64 = paths::FromUtf8(WindowsPath(KELVORA_STANDINS64_DIR));
  for (const char *name : {"iKeyAPI.dll", "eKalit.dll"})
    CopyIntoPlace(drivers64 / name, SystemFolder(Width::k64Bit) / name);
  Start({}, kNoDrivers);
  Click(InstallButton());
  HWND box = process->WaitForWindow("#32770", "Установка Kelvora");
  ASSERT_NE(box, nullptr) << "64-bit drivers satisfied the probe";
  EXPECT_EQ(LogLines(), std::vector<std::string>{});
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

  CopyIntoPlace(standIns / "iKeyAPI.dll", SystemFolder(Width::k32Bit) / "iKeyAPI.dll");
  Click(InstallButton());
  HWND done = WaitForMessageDialog("Information");
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(DialogMessage(done), "Установка завершена !");
  Answer(done, "OK");
  EXPECT_EQ(process->WaitForExit(), 0u);
  EXPECT_TRUE(fs::exists(target / "Kelvora.exe"));
}

TEST_F(The32BitInstaller, OffersToRemoveAnEarlierInstallationUnderThe32BitProgramFiles) {
  ASSERT_NE(programFiles, ProgramFilesFolder(Width::k64Bit)) << "not a 64-bit Windows";
  fs::create_directories(target);
  fs::copy_file(standIns / "Kelvora.exe", target / "Kelvora.exe");
  Start();
  HWND question = WaitForMessageDialog("Confirm");
  ASSERT_NE(question, nullptr) << "the earlier installation in " << paths::Utf8(target) << " was not found";
  Answer(question, "&No");
  ASSERT_NE(MainWindow(), nullptr);
  EXPECT_EQ(WindowText(FolderEdit()), paths::Utf8(target));
}

} // namespace
} // namespace e2e
