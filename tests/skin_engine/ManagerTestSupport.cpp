#include "tests/skin_engine/ManagerTestSupport.h"

#include <fstream>
#include <iterator>

#include "skin/model/SkinPackWriter.h"

namespace {

std::vector<uint8_t> ReadSourceFile(const std::string &name) {
  std::ifstream file(std::string(KELVORA_BLUEGAUZE_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class RecordingWindows final : public TsSkinWindows {
public:
  explicit RecordingWindows(std::shared_ptr<RecordingLog> log) : log_(std::move(log)) {}
  void Broadcast(TsSkinManager &manager, uint16_t command) override {
    log_->calls.push_back(AnnouncementName(command));
    log_->lastManager = &manager;
    if (SkinChanging()) log_->changingDuring.push_back(AnnouncementName(command));
    if (command == AC_SKINSET) log_->appliedDuringSkinSet = SkinApplying();
    if (command == AC_SKINCLEARED) {
      log_->removingDuringSkinCleared = SkinRemoving();
      log_->destroyingDuringSkinCleared = manager.IsDestroying();
    }
  }
  void FreezeForms(TsSkinManager &) override { log_->calls.push_back("Freeze"); }
  void ThawForms(TsSkinManager &) override { log_->calls.push_back("Thaw"); }
  void InstallDialogHook(TsSkinManager &) override { log_->calls.push_back("DialogHook"); }
  void RemoveDialogHook(TsSkinManager &) override { log_->calls.push_back("RemoveDialogHook"); }
  void HookApplicationWindow(TsSkinManager &manager) override { log_->hooked = &manager; }
  void UnhookApplicationWindow(TsSkinManager &manager) override {
    log_->calls.push_back("UnhookApplication");
    if (log_->hooked == &manager) log_->hooked = nullptr;
  }
  std::string ProgramFolder() const override { return log_->programFolder; }
  void ShowWarning(const std::string &text) override { log_->warnings.push_back(text); }

private:
  std::shared_ptr<RecordingLog> log_;
};

// Notes when the manager tells its menus of a new skin.
class RecordingMenus final : public TsManagerMenus {
public:
  explicit RecordingMenus(std::shared_ptr<RecordingLog> log) : log_(std::move(log)) {}
  void SkinAnnounced() override { log_->calls.push_back("MenusChanged"); }
  void SkinStateChanged() override { ++log_->menuStateChanges; }

private:
  std::shared_ptr<RecordingLog> log_;
};

} // namespace

std::string AnnouncementName(uint16_t command) {
  switch (command) {
  case AC_SKINSET: return "SKINSET";
  case AC_SKINCLEARED: return "SKINCLEARED";
  case AC_SKINREFRESH: return "SKINREFRESH";
  case AC_STOPFADE: return "STOPFADE";
  default: return {};
  }
}

const std::vector<uint8_t> &BlueGauzePack() {
  static const std::vector<uint8_t> pack = WriteSkinPack({{"Options.dat", ReadSourceFile("Options.dat")},
                                                          {"ButtonHuge.bmp", ReadSourceFile("ButtonHuge.bmp")},
                                                          {"Master.bmp", ReadSourceFile("Master.bmp")}});
  return pack;
}

void AddInternalSkin(TsSkinManager &manager, const std::string &name, const std::vector<uint8_t> &pack) {
  TsStoredSkinItem *item = manager.InternalSkins().Add();
  item->Skin.Name = name;
  item->Skin.Data = pack;
}

std::shared_ptr<RecordingLog> InstallRecordingWindows() {
  auto log = std::make_shared<RecordingLog>();
  SetSkinWindowsFactory([log] { return std::make_unique<RecordingWindows>(log); });
  SetManagerMenusFactory([log](TsSkinManager &) { return std::make_unique<RecordingMenus>(log); });
  return log;
}
