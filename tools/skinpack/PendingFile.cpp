#include "tools/skinpack/PendingFile.h"

#include <fstream>
#include <string_view>

#include "tools/Utf8Paths.h"
#include "toolkit/base/Exceptions.h"

namespace {
constexpr std::string_view TempSuffix = ".skinpack-tmp";
}

PendingFile::PendingFile(std::filesystem::path target) : target_(std::move(target)), temp_(target_) {
  temp_ += std::string(TempSuffix);
}

PendingFile::~PendingFile() {
  std::error_code ignored;
  if (!committed_) std::filesystem::remove(temp_, ignored);
}

void PendingFile::Write(std::span<const uint8_t> bytes) const {
  std::ofstream file(temp_, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw EFCreateError(PathToUtf8(temp_), "The file cannot be written.");
}

void PendingFile::Commit() {
  std::filesystem::rename(temp_, target_);
  committed_ = true;
}
