#pragma once
// Where each picture of the master bitmap lies: some places are fixed, the rest are found first-fit.

#include <map>
#include <string>
#include <vector>

#include "skin/pixels/Geometry.h"

namespace skingen {

class Atlas {
public:
  Atlas(int width, int height) : width_(width), height_(height), used_(size_t(width) * height, false) {}
  TRect Fix(const std::string &name, TRect rect);
  // The first free place, row by row from the top, with a pixel of room around it so that no tiled
  // edge picks up a neighbour.
  TRect Place(const std::string &name, int width, int height);
  const TRect &operator[](const std::string &name) const { return rects_.at(name); }

private:
  bool Free(TRect r) const;
  void Claim(const std::string &name, TRect r, TRect reserved);

  int width_, height_;
  std::vector<bool> used_;
  std::map<std::string, TRect> rects_;
};

} // namespace skingen
