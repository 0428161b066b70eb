#include "tools/payloadpack/ReplaceFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Text.h"

namespace {

struct CloseFile {
  void operator()(std::FILE *file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, CloseFile>;

std::filesystem::path NativePath(const std::string &utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

UniqueFile CreateForWriting(const std::filesystem::path &path) {
#ifdef _WIN32
  return UniqueFile(_wfopen(path.c_str(), L"wb"));
#else
  return UniqueFile(std::fopen(path.c_str(), "wb"));
#endif
}

void WriteAll(const std::filesystem::path &path, const std::string &shownPath, std::span<const uint8_t> bytes) {
  UniqueFile file = CreateForWriting(path);
  if (!file) throw EFCreateError(shownPath, std::strerror(errno));
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) throw EWriteError();
  if (std::fclose(file.release()) != 0) throw EWriteError();
}

} // namespace

void ReplaceFile(const std::string &path, std::span<const uint8_t> bytes) {
  const std::filesystem::path target = NativePath(path);
  std::filesystem::path partial = target;
  partial += ".partial";
  std::error_code ignored;
  try {
    WriteAll(partial, path, bytes);
    std::error_code renameError;
    std::filesystem::rename(partial, target, renameError);
    if (renameError) throw EFCreateError(path, renameError.message());
  } catch (...) {
    std::filesystem::remove(partial, ignored);
    throw;
  }
}
