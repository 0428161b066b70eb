// The pack reader over arbitrary bytes: it must either unpack consistent members or raise ESkinPackError.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/model/SkinErrors.h"
#include "skin/model/SkinPack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TacSkinConvertor unpacker;
  try {
    unpacker.Unpack(std::span<const uint8_t>(data, size));
  } catch (const ESkinPackError &) {
    if (unpacker.Options() || unpacker.ImageCount() != 0 || !unpacker.Members().empty()) std::abort();
    return 0;
  }
  int64_t position = 8;
  size_t pictures = 0;
  for (const auto &m : unpacker.Members()) {
    if (m.HeaderOffset != position || m.DataOffset <= m.HeaderOffset || m.EndOffset <= m.DataOffset ||
        m.EndOffset > static_cast<int64_t>(size))
      std::abort();
    position = m.EndOffset;
    if (!IsOptionsMemberName(m.Name) && unpacker.Images()[pictures++].Data.size() != static_cast<size_t>(m.Size))
      std::abort();
  }
  if (pictures != static_cast<size_t>(unpacker.ImageCount())) std::abort();
  return 0;
}
