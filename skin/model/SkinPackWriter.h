#pragma once
// Writing skin packs in exactly the layout the unpacker reads: magic, member count, then per member the
// name length, the name in Windows-1251, the unpacked size and one zlib stream (level 9).

#include <cstdint>
#include <string>
#include <vector>

struct SkinPackMember {
  std::string Name; // UTF-8; stored in Windows-1251
  std::vector<uint8_t> Data;
};

// Raises ESkinPackError for a name that is empty, too long or not expressible in Windows-1251, for two
// members of the same name (case ignored) and for members above the size limit.
std::vector<uint8_t> WriteSkinPack(const std::vector<SkinPackMember> &members);
