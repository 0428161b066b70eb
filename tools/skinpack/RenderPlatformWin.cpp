#include <windows.h>

#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "toolkit/ui/SystemInfo.h"
#include "tools/skinpack/RenderPlatform.h"

Image24 NewRenderImage(int width, int height) { return CreateDib24(width, height); }

bool CanDrawText() { return true; }

std::unique_ptr<TsTextCanvas> TextCanvasFor(const Image24 &image) { return std::make_unique<GdiTextCanvas>(image); }

std::filesystem::path ToolFolder() { return std::filesystem::path(ProgramFolder()); }
