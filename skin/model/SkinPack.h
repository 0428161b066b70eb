#pragma once
// The skin pack: a magic, a member count and members of (name, unpacked size, one zlib stream). Compressed
// lengths are not stored, so the reader must stop exactly where each zlib stream ends.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

constexpr char SkinPackMagic[4] = {'T', 'E', 'z', 'f'};
constexpr std::string_view SkinOptionsMemberName = "Options.dat";

// Limits that keep a hostile pack from asking for absurd amounts of memory.
constexpr int32_t MaxPackMemberNameLength = 1024;
constexpr int64_t MaxPackMemberSize = 128ll * 1024 * 1024;
constexpr int64_t MaxPackUnpackedTotal = 512ll * 1024 * 1024;

// One picture member (every member other than the options file).
struct TacImageItem {
  std::string Name; // as stored (converted to UTF-8), case kept
  bool IsBitmap = false;
  std::vector<uint8_t> Data;
};

// Where a member sits in the pack; kept for listing and for checking packs byte by byte.
struct TacPackMember {
  std::string Name;
  int64_t HeaderOffset = 0; // the name length field
  int64_t DataOffset = 0;   // the first byte of the zlib stream
  int64_t EndOffset = 0;    // one past the Adler-32 trailer
  int64_t Size = 0;         // unpacked size
};

bool IsOptionsMemberName(std::string_view name);
// True when the extension of name, upper-cased, is ".BMP".
bool IsBitmapName(std::string_view name);

// The unpacker: reads a whole pack into memory, the options file apart from the pictures.
class TacSkinConvertor {
public:
  // Replaces the contents with the members of pack. Raises ENotSkinPack for a wrong magic and
  // ESkinPackError for anything malformed; either way the unpacker is left empty.
  void Unpack(std::span<const uint8_t> pack);
  // Reads the file and unpacks it; false (and nothing changed) when no file exists at path.
  bool LoadFromFile(const std::string &path);
  void Clear();

  // The number of picture members (N - 1 for a pack with its one options member).
  int ImageCount() const { return static_cast<int>(images_.size()); }
  const std::vector<TacImageItem> &Images() const { return images_; }
  // The unpacked options file, or none when the pack holds no options member.
  const std::optional<std::vector<uint8_t>> &Options() const { return options_; }
  // Every member in pack order, the options file included.
  const std::vector<TacPackMember> &Members() const { return members_; }

  // The picture member whose name, upper-cased, equals name as given; null when there is none.
  const TacImageItem *FindImage(std::string_view name) const;

private:
  void UnpackMembers(std::span<const uint8_t> pack);

  std::vector<TacImageItem> images_;
  std::optional<std::vector<uint8_t>> options_;
  std::vector<TacPackMember> members_;
};
