#pragma once
// The options file of the BlueGauze skin: every section the skin engine reads, pointing into the
// master bitmap laid out by the atlas.

#include "tools/skingen/Atlas.h"
#include "tools/skingen/OptionsFile.h"

namespace skingen {

OptionsFile BlueGauzeOptions(const Atlas &atlas);

} // namespace skingen
