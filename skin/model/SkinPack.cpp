#include "skin/model/SkinPack.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "skin/model/SkinErrors.h"
#include "skin/model/SkinPaths.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/Text.h"

namespace {

// The largest expansion deflate can achieve; a claimed size beyond it cannot be honest.
constexpr int64_t MaxDeflateRatio = 1032;
// Name length, at least one name byte, unpacked size and the smallest zlib stream.
constexpr int64_t MinMemberBytes = 4 + 1 + 4 + 8;
constexpr int64_t MaxPackFileSize = 1024ll * 1024 * 1024;

[[noreturn]] void Corrupt(const std::string &what) { throw ESkinPackError("Corrupt skin pack: " + what); }

class PackCursor {
public:
  explicit PackCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t Position() const { return position_; }
  size_t Remaining() const { return bytes_.size() - position_; }
  std::span<const uint8_t> Rest() const { return bytes_.subspan(position_); }
  void Skip(size_t count) { position_ += count; }

  int32_t ReadInt32(const char *what) {
    if (Remaining() < 4) Corrupt(std::string("the data ends inside ") + what);
    const uint8_t *p = bytes_.data() + position_;
    position_ += 4;
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
  }

private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

class Inflater {
public:
  Inflater() {
    if (inflateInit(&stream_) != Z_OK) throw ESkinPackError("Cannot start zlib inflater");
  }
  ~Inflater() { inflateEnd(&stream_); }
  Inflater(const Inflater &) = delete;
  Inflater &operator=(const Inflater &) = delete;
  z_stream &Stream() { return stream_; }

private:
  z_stream stream_{};
};

// Inflates the zlib stream at the start of input into exactly size bytes and returns how many input bytes
// the stream took, its Adler-32 trailer included.
size_t InflateMember(std::span<const uint8_t> input, std::vector<uint8_t> &out, int64_t size,
                     const std::string &member) {
  // One spare byte of output room tells a stream that runs past the stated size from one that fits.
  out.assign(static_cast<size_t>(size) + 1, 0);
  Inflater inflater;
  z_stream &z = inflater.Stream();
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  size_t fed = 0;
  for (;;) {
    if (z.avail_in == 0 && fed < input.size()) {
      size_t chunk = std::min<size_t>(input.size() - fed, UINT_MAX);
      z.next_in = const_cast<Bytef *>(input.data() + fed);
      z.avail_in = static_cast<uInt>(chunk);
      fed += chunk;
    }
    int rc = inflate(&z, Z_NO_FLUSH);
    if (rc == Z_STREAM_END) break;
    if (rc == Z_OK) continue;
    if (rc == Z_BUF_ERROR && z.avail_out == 0)
      Corrupt("member \"" + member + "\" inflates to more than its stated " + std::to_string(size) + " bytes");
    if (rc == Z_BUF_ERROR) Corrupt("member \"" + member + "\" is cut off before the end of its compressed data");
    Corrupt("member \"" + member + "\" holds corrupt compressed data (" + (z.msg ? z.msg : "zlib error") + ")");
  }
  if (static_cast<int64_t>(z.total_out) != size)
    Corrupt("member \"" + member + "\" inflates to " + std::to_string(z.total_out) + " bytes instead of " +
            std::to_string(size));
  out.resize(static_cast<size_t>(size));
  return static_cast<size_t>(z.total_in);
}

} // namespace

bool IsOptionsMemberName(std::string_view name) { return text::UpperCase(name) == "OPTIONS.DAT"; }

bool IsBitmapName(std::string_view name) {
  size_t dot = name.rfind('.');
  return dot != std::string_view::npos && text::UpperCase(name.substr(dot)) == ".BMP";
}

void TacSkinConvertor::Clear() {
  images_.clear();
  options_.reset();
  members_.clear();
}

void TacSkinConvertor::Unpack(std::span<const uint8_t> pack) {
  Clear();
  try {
    UnpackMembers(pack);
  } catch (...) {
    Clear();
    throw;
  }
}

void TacSkinConvertor::UnpackMembers(std::span<const uint8_t> pack) {
  if (pack.size() < sizeof SkinPackMagic || std::memcmp(pack.data(), SkinPackMagic, sizeof SkinPackMagic) != 0)
    throw ENotSkinPack();
  PackCursor cursor(pack);
  cursor.Skip(sizeof SkinPackMagic);
  int32_t count = cursor.ReadInt32("the member count");
  if (count < 0) Corrupt("negative member count " + std::to_string(count));
  if (count > static_cast<int64_t>(cursor.Remaining()) / MinMemberBytes)
    Corrupt("member count " + std::to_string(count) + " does not fit into " + std::to_string(cursor.Remaining()) +
            " bytes");

  int64_t unpackedTotal = 0;
  for (int32_t index = 0; index < count; ++index) {
    TacPackMember member;
    member.HeaderOffset = static_cast<int64_t>(cursor.Position());
    std::string place = "member " + std::to_string(index + 1);
    int32_t nameLength = cursor.ReadInt32("a member's name length");
    if (nameLength <= 0 || nameLength > MaxPackMemberNameLength || static_cast<size_t>(nameLength) > cursor.Remaining())
      Corrupt(place + " has an impossible name length " + std::to_string(nameLength));
    auto nameBytes = cursor.Rest().first(static_cast<size_t>(nameLength));
    member.Name =
        text::Cp1251ToUtf8(std::string_view(reinterpret_cast<const char *>(nameBytes.data()), nameBytes.size()));
    cursor.Skip(nameBytes.size());
    place += " (\"" + member.Name + "\")";

    int32_t size = cursor.ReadInt32("a member's size");
    member.Size = size;
    member.DataOffset = static_cast<int64_t>(cursor.Position());
    if (size < 0) Corrupt(place + " has a negative size");
    if (size > MaxPackMemberSize || size > static_cast<int64_t>(cursor.Remaining()) * MaxDeflateRatio)
      Corrupt(place + " claims " + std::to_string(size) + " bytes, more than the pack can hold");
    unpackedTotal += size;
    if (unpackedTotal > MaxPackUnpackedTotal)
      Corrupt("the members unpack to more than the limit of " + std::to_string(MaxPackUnpackedTotal) + " bytes");

    std::vector<uint8_t> data;
    cursor.Skip(InflateMember(cursor.Rest(), data, size, member.Name));
    member.EndOffset = static_cast<int64_t>(cursor.Position());

    if (IsOptionsMemberName(member.Name)) {
      // The picture count is N - 1, which only fits a pack with one options file.
      if (options_) Corrupt("more than one options member (" + member.Name + ")");
      options_ = std::move(data);
    } else {
      images_.push_back(TacImageItem{member.Name, IsBitmapName(member.Name), std::move(data)});
    }
    members_.push_back(std::move(member));
  }
}

bool TacSkinConvertor::LoadFromFile(const std::string &path) {
  const std::string native = NativePath(path);
  if (!IsRegularFile(native)) return false;
  // The file's bytes live only while the pack is unpacked.
  Unpack(ReadSkinFile(native, MaxPackFileSize));
  return true;
}

const TacImageItem *TacSkinConvertor::FindImage(std::string_view name) const {
  for (const auto &item : images_)
    if (text::UpperCase(item.Name) == name) return &item;
  return nullptr;
}
