#include <windows.h>

#include "skin/paint/win/DibStorage.h"
#include "skin/paint/win/GdiTextCanvas.h"
#include "tools/skinpack/RenderPlatform.h"

Image24 NewRenderImage(int width, int height) { return CreateDib24(width, height); }

bool CanDrawText() { return true; }

std::unique_ptr<TsTextCanvas> TextCanvasFor(const Image24 &image) { return std::make_unique<GdiTextCanvas>(image); }

std::filesystem::path ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::filesystem::path(path).parent_path();
}
