#include "skin/model/SkinPictureSource.h"

#include "skin/model/SkinPaths.h"
#include "toolkit/base/FileSystem.h"

PictureFile PictureFile::Borrowed(std::span<const uint8_t> bytes, std::string name) {
  PictureFile file;
  file.borrowed_ = bytes;
  file.name_ = std::move(name);
  return file;
}

PictureFile PictureFile::Owned(std::vector<uint8_t> bytes, std::string name) {
  PictureFile file;
  file.owned_ = std::move(bytes);
  file.name_ = std::move(name);
  return file;
}

std::optional<PictureFile> PackPictureSource::Find(std::string_view name) const {
  const TacImageItem *item = pack_.FindImage(name);
  if (!item) return std::nullopt;
  return PictureFile::Borrowed(item->Data, item->Name);
}

std::optional<PictureFile> FolderPictureSource::Find(std::string_view name) const {
  if (name.empty()) return std::nullopt;
  std::string path = name.find(':') == std::string_view::npos ? skinPath_ + std::string(name) : std::string(name);
  auto file = FindSkinFile(NativePath(path));
  if (!file) return std::nullopt;
  return PictureFile::Owned(ReadSkinFile(*file, MaxPictureFileSize), std::string(FileNameOf(*file)));
}
