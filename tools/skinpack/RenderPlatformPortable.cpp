// Natively there is no text drawing: the renderer paints items without captions.
#include "tools/skinpack/RenderPlatform.h"

Image24 NewRenderImage(int width, int height) { return Image24(width, height, RowOrder::BottomUp); }

bool CanDrawText() { return false; }

std::unique_ptr<TsTextCanvas> TextCanvasFor(const Image24 &) { return nullptr; }

std::filesystem::path ToolFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : self.parent_path();
}
