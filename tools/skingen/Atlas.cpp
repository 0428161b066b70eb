#include "tools/skingen/Atlas.h"

#include <algorithm>
#include <stdexcept>

namespace skingen {

bool Atlas::Free(TRect r) const {
  if (r.Left < 0 || r.Top < 0 || r.Right > width_ || r.Bottom > height_) return false;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (used_[size_t(y) * width_ + x]) return false;
  return true;
}

void Atlas::Claim(const std::string &name, TRect r, TRect reserved) {
  if (!rects_.emplace(name, r).second) throw std::runtime_error("picture placed twice: " + name);
  reserved.Left = std::max(reserved.Left, 0);
  reserved.Top = std::max(reserved.Top, 0);
  reserved.Right = std::min(reserved.Right, width_);
  reserved.Bottom = std::min(reserved.Bottom, height_);
  for (int y = reserved.Top; y < reserved.Bottom; ++y)
    for (int x = reserved.Left; x < reserved.Right; ++x)
      used_[size_t(y) * width_ + x] = true;
}

TRect Atlas::Fix(const std::string &name, TRect rect) {
  if (!Free(rect)) throw std::runtime_error("fixed place taken: " + name);
  Claim(name, rect, rect);
  return rect;
}

TRect Atlas::Place(const std::string &name, int width, int height) {
  for (int y = 0; y + height <= height_; ++y)
    for (int x = 0; x + width <= width_; ++x) {
      const TRect with{x, y, x + width + 1, y + height + 1};
      if (Free(TRect{x, y, std::min(with.Right, width_), std::min(with.Bottom, height_)})) {
        const TRect r{x, y, x + width, y + height};
        Claim(name, r, with);
        return r;
      }
    }
  throw std::runtime_error("no room in the master bitmap for " + name);
}

} // namespace skingen
