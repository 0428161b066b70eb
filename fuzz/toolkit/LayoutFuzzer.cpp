// Feeds arbitrary text to the stored-layout parser: it must reject what it cannot read with a layout
// error, never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "toolkit/base/Layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  try {
    ParseLayout(std::string_view(reinterpret_cast<const char *>(data), size));
  } catch (const ELayoutError &) {
  }
  return 0;
}
