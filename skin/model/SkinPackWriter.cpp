#include "skin/model/SkinPackWriter.h"

#include <zlib.h>

#include <set>

#include "skin/model/SkinErrors.h"
#include "skin/model/SkinPack.h"
#include "toolkit/base/Text.h"

namespace {

void AppendInt32(std::vector<uint8_t> &out, int32_t value) {
  auto v = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<uint8_t>(v >> shift));
}

void AppendCompressed(std::vector<uint8_t> &out, const std::vector<uint8_t> &data, const std::string &name) {
  uLongf room = compressBound(static_cast<uLong>(data.size()));
  size_t start = out.size();
  out.resize(start + room);
  int rc = compress2(out.data() + start, &room, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION);
  if (rc != Z_OK)
    throw ESkinPackError("Cannot compress member \"" + name + "\" (zlib error " + std::to_string(rc) + ")");
  out.resize(start + room);
}

std::string PackedName(const std::string &name) {
  std::string ansi = text::Utf8ToCp1251(name);
  if (ansi.empty()) throw ESkinPackError("A skin pack member needs a name");
  if (text::Cp1251ToUtf8(ansi) != name)
    throw ESkinPackError("Member name \"" + name + "\" cannot be written in the Windows-1251 code page");
  if (ansi.size() > static_cast<size_t>(MaxPackMemberNameLength))
    throw ESkinPackError("Member name \"" + name + "\" is too long");
  return ansi;
}

} // namespace

std::vector<uint8_t> WriteSkinPack(const std::vector<SkinPackMember> &members) {
  std::set<std::string> seen;
  std::vector<uint8_t> out(std::begin(SkinPackMagic), std::end(SkinPackMagic));
  AppendInt32(out, static_cast<int32_t>(members.size()));
  for (const auto &member : members) {
    std::string name = PackedName(member.Name);
    if (!seen.insert(text::UpperCase(name)).second)
      throw ESkinPackError("Two members are named \"" + member.Name + "\" (case ignored)");
    if (static_cast<int64_t>(member.Data.size()) > MaxPackMemberSize)
      throw ESkinPackError("Member \"" + member.Name + "\" is larger than the limit of " +
                           std::to_string(MaxPackMemberSize) + " bytes");
    AppendInt32(out, static_cast<int32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    AppendInt32(out, static_cast<int32_t>(member.Data.size()));
    AppendCompressed(out, member.Data, member.Name);
  }
  return out;
}
