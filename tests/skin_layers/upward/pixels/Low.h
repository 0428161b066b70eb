#pragma once
// A pixel file that reaches up into item painting and into a Win32 part: the layer check must refuse both.
#include "skin/pixels/Image24.h"
#include "skin/render/ItemPainting.h"
#include "skin/pixels/win/DibStorage.h"
