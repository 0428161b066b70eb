#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

class TempFolder {
public:
  TempFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("kelvora-codec-" + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path &Path() const { return path_; }
  // The folder as the packing routine takes it: UTF-8 with its trailing separator.
  std::string WithSeparator() const { return Utf8(path_) + "/"; }

  static std::string Utf8(const std::filesystem::path &path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
  }

  void Write(const std::string &name, const std::vector<uint8_t> &bytes) const {
    std::ofstream(path_ / name, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<uint8_t> Read(const std::string &name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

private:
  std::filesystem::path path_;
};
