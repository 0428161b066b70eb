#pragma once
// Where the pictures of a skin come from: the members of an unpacked pack, or files of a folder.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/model/SkinPack.h"

// Largest picture file read from a folder.
constexpr int64_t MaxPictureFileSize = 128ll * 1024 * 1024;

// The bytes of one picture, borrowed from a pack or owned after reading a file.
class PictureFile {
public:
  static PictureFile Borrowed(std::span<const uint8_t> bytes, std::string name);
  static PictureFile Owned(std::vector<uint8_t> bytes, std::string name);
  std::span<const uint8_t> Bytes() const { return owned_.empty() ? borrowed_ : std::span<const uint8_t>(owned_); }
  const std::string &Name() const { return name_; }

private:
  std::span<const uint8_t> borrowed_;
  std::vector<uint8_t> owned_;
  std::string name_;
};

class SkinPictureSource {
public:
  virtual ~SkinPictureSource() = default;
  // The picture that name (as the options file writes it) refers to, or none when there is no such picture.
  virtual std::optional<PictureFile> Find(std::string_view name) const = 0;
};

// Members of a pack: the one whose name, upper-cased, equals the name as written.
class PackPictureSource : public SkinPictureSource {
public:
  explicit PackPictureSource(const TacSkinConvertor &pack) : pack_(pack) {}
  std::optional<PictureFile> Find(std::string_view name) const override;

private:
  const TacSkinConvertor &pack_;
};

// Files: a name without ":" is relative to the skin path (which ends in a backslash or is empty).
class FolderPictureSource : public SkinPictureSource {
public:
  explicit FolderPictureSource(std::string skinPath) : skinPath_(std::move(skinPath)) {}
  std::optional<PictureFile> Find(std::string_view name) const override;

private:
  std::string skinPath_;
};
