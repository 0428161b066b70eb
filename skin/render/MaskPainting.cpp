#include "skin/render/MaskPainting.h"

#include <algorithm>
#include <array>

#include "skin/model/SystemColors.h"
#include "skin/pixels/Blending.h"
#include "skin/pixels/ImageCopy.h"
#include "skin/render/ItemPainting.h"
#include "skin/pixels/PixelAccess.h"

namespace {

TRect Inclusive(const TRect &r) { return TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}; }
TRect Shifted(const TRect &r, int dx, int dy) { return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

bool IsKey(const uint8_t *p) { return p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF; }

void PutColor(uint8_t *p, TColor c) {
  p[0] = BlueOf(c);
  p[1] = GreenOf(c);
  p[2] = RedOf(c);
}

// The parent's cache image, attached when it may be used.
struct ParentPixels {
  TacFast24 fast;
  bool valid = false;
  int offsetX = 0, offsetY = 0;

  explicit ParentPixels(const TCacheInfo &ci)
      : valid(ci.Valid && ci.Bitmap && fast.Attach(*ci.Bitmap)), offsetX(ci.OffsetX), offsetY(ci.OffsetY) {}

  enum class Outcome { Copied, Skipped, RowEnds };
  // The parent's pixel under target pixel (tx, ty): a row below the parent skips the pixel, a column at or
  // past its right edge or a row above its top ends the row.
  Outcome CopyTo(uint8_t *t, int tx, int ty) const {
    const int px = offsetX + tx, py = offsetY + ty;
    if (py >= fast.Height) return Outcome::Skipped;
    if (px >= fast.Width || py < 0) return Outcome::RowEnds;
    if (px < 0) return Outcome::Skipped;
    std::copy_n(fast.Address(px, py), 3, t);
    return Outcome::Copied;
  }
};

// What becomes of target pixels under key-coloured picture pixels in a masked copy.
enum class KeyPixels {
  Blend,           // mixed by the mask like any other pixel
  ParentOrKeyFill, // the parent's pixel, else the key fill colour, else the key colour itself
  KeyFillOrParent, // the key fill colour, else the parent's pixel, else left as it is
  Keep,            // left as they are
};

struct MaskedCopy {
  int maskOffset; // rows from a picture pixel down to its mask pixel
  KeyPixels keys;
  TCacheInfo ci;             // for the key rules that use the parent
  int maskLift = 0;          // added to each mask channel (at most 255): lets more of the target through
  TColor keyFill = KeyColor; // for the key rules that use a colour
};

// Copies picture pixels of s to d through their mask: D = ((D - S) * M + S * 256) shr 8 per channel, which
// stays within a byte (it is S * (256 - M) + D * M over 256).
void CopyMaskedRect(Image24 &target, TRect d, const Image24 &source, TRect s, const MaskedCopy &how) {
  // Negative lefts and tops move both rectangles together.
  const int dx = std::max({0, -d.Left, -s.Left}), dy = std::max({0, -d.Top, -s.Top});
  d.Left += dx, s.Left += dx, d.Top += dy, s.Top += dy;
  const int columns = std::min({d.Width(), s.Width(), target.Width() - d.Left, source.Width() - s.Left});
  const int rows = std::min({d.Height(), s.Height(), target.Height() - d.Top, source.Height() - s.Top,
                             source.Height() - s.Top - how.maskOffset});
  if (columns <= 0 || rows <= 0) return;
  const ParentPixels parent(how.ci);
  for (int j = 0; j < rows; ++j) {
    const int ty = d.Top + j;
    const uint8_t *sp = source.PixelAddress(s.Left, s.Top + j);
    const uint8_t *mp = source.PixelAddress(s.Left, s.Top + j + how.maskOffset);
    uint8_t *tp = target.PixelAddress(d.Left, ty);
    for (int i = 0; i < columns; ++i, sp += 3, mp += 3, tp += 3) {
      if (how.keys != KeyPixels::Blend && IsKey(sp)) {
        if (how.keys == KeyPixels::Keep) continue;
        if (how.keys == KeyPixels::KeyFillOrParent && how.keyFill != KeyColor) {
          PutColor(tp, how.keyFill);
        } else if (parent.valid) {
          if (parent.CopyTo(tp, d.Left + i, ty) == ParentPixels::Outcome::RowEnds) break;
        } else if (how.keys == KeyPixels::ParentOrKeyFill) {
          PutColor(tp, how.keyFill); // the key colour itself when there is no key fill colour
        }
        continue;
      }
      for (int ch = 0; ch < 3; ++ch) {
        const int m = std::min(mp[ch] + how.maskLift, 255);
        tp[ch] = static_cast<uint8_t>((sp[ch] * (256 - m) + tp[ch] * m) >> 8);
      }
    }
  }
}

// Appends each run of key-coloured pixels in the rows of block (a rectangle of the source) as a
// one-pixel-high rectangle, placed so that the block's top-left lands on (x, y).
void AppendKeyRuns(std::vector<TRect> &list, const Image24 &source, TRect block, int x, int y) {
  const int left = std::max(block.Left, 0), right = std::min(block.Right, source.Width());
  for (int row = std::max(block.Top, 0); row < std::min(block.Bottom, source.Height()); ++row) {
    const int ty = y + row - block.Top;
    for (int c = left; c < right;) {
      if (!IsKey(source.PixelAddress(c, row))) {
        ++c;
        continue;
      }
      const int start = c;
      while (c < right && IsKey(source.PixelAddress(c, row)))
        ++c;
      list.push_back(TRect{x + start - block.Left, ty, x + c - block.Left, ty + 1});
    }
  }
}

struct Part {
  TRect target;
  TRect source;
};

// The nine parts of the frame for the state laid over r. Corners keep their border widths; when r is
// narrower (or lower) than two borders both shrink evenly, the right (bottom) one by one more for an odd
// size. The frame's centre keeps its own size, so a shrunk right corner starts where the centre ends (the
// bottom one keeps to the frame's bottom edge), as skins are drawn for.
struct NineParts {
  std::array<Part, 4> corners; // top-left, bottom-left, bottom-right, top-right
  std::array<Part, 4> edges;   // left, top, bottom, right
  Part centre;

  NineParts(const TsMaskData &rec, const TRect &r, int state) {
    int l = rec.WL, t = rec.WT, rw = rec.WR, b = rec.WB;
    ShrinkToFit(l, rw, r.Width());
    ShrinkToFit(t, b, r.Height());
    const TsFrame f = StateFrame(rec, state);
    const int cw = std::max(f.Width - rec.WL - rec.WR, 0), ch = std::max(f.Height - rec.WT - rec.WB, 0);
    const int x0 = f.Left, y0 = f.Top, xr = x0 + l + cw, yb = y0 + f.Height - b;
    corners = {Part{{r.Left, r.Top, r.Left + l, r.Top + t}, {x0, y0, x0 + l, y0 + t}},
               Part{{r.Left, r.Bottom - b, r.Left + l, r.Bottom}, {x0, yb, x0 + l, yb + b}},
               Part{{r.Right - rw, r.Bottom - b, r.Right, r.Bottom}, {xr, yb, xr + rw, yb + b}},
               Part{{r.Right - rw, r.Top, r.Right, r.Top + t}, {xr, y0, xr + rw, y0 + t}}};
    edges = {Part{{r.Left, r.Top + t, r.Left + l, r.Bottom - b}, {x0, y0 + t, x0 + l, y0 + t + ch}},
             Part{{r.Left + l, r.Top, r.Right - rw, r.Top + t}, {x0 + l, y0, xr, y0 + t}},
             Part{{r.Left + l, r.Bottom - b, r.Right - rw, r.Bottom}, {x0 + l, yb, xr, yb + b}},
             Part{{r.Right - rw, r.Top + t, r.Right, r.Bottom - b}, {xr, y0 + t, xr + rw, y0 + t + ch}}};
    centre = Part{{r.Left + l, r.Top + t, r.Right - rw, r.Bottom - b}, {x0 + l, y0 + t, xr, y0 + t + ch}};
  }

  static void ShrinkToFit(int &first, int &second, int size) {
    if (size >= first + second) return;
    const int d = (first + second - size) / 2;
    first = std::max(first - d, 0);
    second = std::max(second - d - (size % 2 != 0 ? 1 : 0), 0);
  }
};

// Lays a part's source block over its target: tiled (whole pieces, the last one cut) or stretched.
template <class CopyPiece> void TilePart(const Part &part, CopyPiece copyPiece) {
  const TRect &s = part.source;
  ForEachTile(part.target, s.Width(), s.Height(), [&](const TRect &piece) {
    copyPiece(piece, TRect{s.Left, s.Top, s.Left + piece.Width(), s.Top + piece.Height()});
  });
}

bool Masked(const TsMaskData &rec) { return rec.MaskType > 0; }
int HalfHeight(const TsMaskData &rec) { return rec.R.Height() / 2; }

// Edges and, when asked for, the centre: tiled or stretched, plain or through the mask.
void DrawEdgesAndCentre(Image24 &target, const NineParts &parts, bool withCentre, const TsMaskData &rec,
                        const Image24 &picture, bool stretch) {
  auto draw = [&](const Part &part) {
    if (stretch) return StretchRect(target, part.target, picture, part.source, StretchQuality::Halftone);
    TilePart(part, [&](const TRect &d, const TRect &s) {
      if (Masked(rec))
        CopyMaskedPiece(d, s, target, rec, false, TCacheInfo{}, picture);
      else
        CopyRect(target, d.Left, d.Top, picture, s);
    });
  };
  for (const Part &edge : parts.edges)
    draw(edge);
  if (withCentre) draw(parts.centre);
}

bool FillsCentre(const TsMaskData &rec, bool fill) { return fill && (rec.StretchMode & BorderStretch::FillsCentre); }
bool StretchesEdges(const TsMaskData &rec) { return !Masked(rec) && (rec.StretchMode & BorderStretch::Stretched); }

void FillOrCopyParent(Image24 &target, const TRect &strip, const TCacheInfo &ci, TColor keyFill) {
  if (strip.Width() <= 0 || strip.Height() <= 0) return;
  if (ci.Valid && ci.Bitmap)
    CopyRect(target, strip.Left, strip.Top, *ci.Bitmap, Shifted(strip, ci.OffsetX, ci.OffsetY));
  else if (keyFill != KeyColor)
    FillRectColor(target, strip, keyFill);
  // With neither, the strip keeps the background painted before rather than turning key-coloured.
}

} // namespace

namespace {

TsFrame FrameIn(const TRect &r, int imageCount, int maskType, int state) {
  const int count = std::max(imageCount, 1);
  TsFrame f;
  f.Width = r.Width() / count;
  f.Height = r.Height() / (std::max(maskType, 0) + 1);
  f.Left = r.Left + std::clamp(state, 0, count - 1) * f.Width;
  f.Top = r.Top;
  return f;
}

} // namespace

TsFrame StateFrame(const TsMaskData &rec, int state) { return FrameIn(rec.R, rec.ImageCount, rec.MaskType, state); }

const Image24 &RecordPicture(const TsSkin &skin, const TsMaskData &rec) {
  return rec.Image ? *rec.Image : skin.MasterBitmap;
}

void DrawBorderMask(Image24 &target, TRect r, bool fill, const TCacheInfo &ci, const TsSkin &skin, int index, int state,
                    bool useParent, TColor keyFill) {
  if (!skin.IsValidImageIndex(index)) return;
  const TsMaskData &rec = skin.Masks[index];
  if (state == 0 && (rec.StretchMode & BorderStretch::NotInNormalState)) return;
  if (r.Width() < 2 || r.Height() < 2) return;
  const Image24 &picture = RecordPicture(skin, rec);
  const NineParts parts(rec, r, state);
  for (const Part &corner : parts.corners) {
    if (Masked(rec))
      CopyMaskedPiece(corner.target, corner.source, target, rec, true, ci, picture, keyFill);
    else
      CopyRectKeyedParent(target, picture, corner.target.Left, useParent, ci, KeyColor, Inclusive(corner.source),
                          corner.target.Top);
  }
  DrawEdgesAndCentre(target, parts, FillsCentre(rec, fill), rec, picture, StretchesEdges(rec));
}

void CopyMaskedPiece(TRect d, TRect s, Image24 &target, const TsMaskData &rec, bool keyFlag, const TCacheInfo &ci,
                     const Image24 &source, TColor keyFill) {
  CopyMaskedRect(target, d, source, s,
                 MaskedCopy{HalfHeight(rec), keyFlag ? KeyPixels::ParentOrKeyFill : KeyPixels::Blend, ci, 0, keyFill});
}

void DrawStateImage(Image24 &target, TPoint p, int state, const TsSkin &skin, int index, int mode) {
  if (!skin.IsValidImageIndex(index)) return;
  const TsMaskData &rec = skin.Masks[index];
  if (rec.ImageCount == 0) return; // a picture without frames has no state to show
  const TsFrame f = StateFrame(rec, state);
  TRect d{p.X, p.Y, p.X + f.Width, p.Y + f.Height};
  TRect s{f.Left, f.Top, f.Left + f.Width, f.Top + f.Height};
  if (d.Left < 0) s.Left -= d.Left, d.Left = 0;
  if (d.Top < 0) s.Top -= d.Top, d.Top = 0;
  const Image24 &picture = RecordPicture(skin, rec);
  if (rec.Image || Masked(rec))
    CopyStateImageMasked(d, s, target, rec, mode, picture);
  else if (mode == 1)
    CopyRectKeyed(target, picture, d.Left, KeyColor, Inclusive(s), d.Top);
  else
    BlendKeyed(target, d.Left, d.Top, KeyColor, 0.5, Inclusive(s), picture);
}

void CopyStateImageMasked(TRect d, TRect s, Image24 &target, const TsMaskData &rec, int mode, const Image24 &source) {
  const TsFrame f = StateFrame(rec, 0);
  if (Masked(rec)) {
    CopyMaskedRect(target, d, source, s, MaskedCopy{f.Height, KeyPixels::Keep, TCacheInfo{}, mode == 1 ? 0 : 100});
    return;
  }
  const int columns = std::min({d.Width(), s.Width(), source.Width() - s.Left});
  const int rows = std::min({d.Height(), s.Height(), f.Height});
  if (columns <= 0 || rows <= 0) return;
  CopyRectKeyed(target, source, d.Left, KeyColor, TRect{s.Left, s.Top, s.Left + columns - 1, s.Top + rows - 1}, d.Top);
}

void DrawMaskedTexture(Image24 &target, TRect &r, const TCacheInfo &ci, int mode, const TsSkin &skin, int index,
                       TColor keyFill) {
  if (!skin.IsValidImageIndex(index) || (mode != 0 && mode != 10)) return;
  const TsMaskData &rec = skin.Masks[index];
  const Image24 &picture = RecordPicture(skin, rec);
  const int tw = rec.R.Width() / std::max<int>(rec.ImageCount, 1), th = HalfHeight(rec);
  auto tile = [&](const TRect &d) {
    CopyMaskedTile(d, TRect{rec.R.Left, rec.R.Top, rec.R.Left + d.Width(), rec.R.Top + d.Height()}, target, rec, ci,
                   picture, keyFill);
  };
  if (mode == 0) {
    // The whole rectangle, cut at its right and bottom edges: the last row too (and a rectangle lower than
    // a tile), which would otherwise keep stale pixels while r reports all of it covered.
    ForEachTile(r, tw, th, tile);
  } else if (tw > 0 && th > 0) {
    // Whole tiles only while one more would still fit; the parent shows in the rest.
    int xEnd = r.Left, yEnd = r.Top;
    while (xEnd < r.Right - tw)
      xEnd += tw;
    while (yEnd < r.Bottom - th)
      yEnd += th;
    for (int y = r.Top; y < yEnd; y += th)
      for (int x = r.Left; x < xEnd; x += tw)
        tile(TRect{x, y, x + tw, y + th});
    FillOrCopyParent(target, TRect{r.Left, yEnd, r.Right, r.Bottom}, ci, keyFill);
    FillOrCopyParent(target, TRect{xEnd, r.Top, r.Right, r.Bottom}, ci, keyFill);
  }
  r = TRect{-1, -1, -1, -1};
}

void CopyMaskedTile(TRect d, TRect s, Image24 &target, const TsMaskData &rec, const TCacheInfo &ci,
                    const Image24 &source, TColor keyFill) {
  CopyMaskedRect(target, d, source, s, MaskedCopy{HalfHeight(rec), KeyPixels::KeyFillOrParent, ci, 0, keyFill});
}

void DrawBorderShaped(Image24 &target, std::vector<TRect> &regionCuts, bool fill, int state, const TsSkin &skin,
                      int index) {
  if (!skin.IsValidImageIndex(index) || target.Width() < 2 || target.Height() < 2) return;
  const TsMaskData &rec = skin.Masks[index];
  const Image24 &picture = RecordPicture(skin, rec);
  const NineParts parts(rec, TRect{0, 0, target.Width(), target.Height()}, state);
  for (const Part &corner : parts.corners) {
    if (Masked(rec))
      CopyMaskedRect(target, corner.target, picture, corner.source,
                     MaskedCopy{HalfHeight(rec), KeyPixels::Keep, TCacheInfo{}});
    else
      CopyRectKeyed(target, picture, corner.target.Left, KeyColor, Inclusive(corner.source), corner.target.Top);
    AppendKeyRuns(regionCuts, picture, corner.source, corner.target.Left, corner.target.Top);
  }
  DrawEdgesAndCentre(target, parts, FillsCentre(rec, fill), rec, picture, StretchesEdges(rec));
}

void RestoreCorners(Image24 &cache, const TsSkin &skin, int borderIndex, int state, const TsParentLink &parent,
                    TCacheInfo ci, TPoint position, unsigned corners) {
  if (!skin.IsValidImageIndex(borderIndex) || cache.Width() < 2 || cache.Height() < 2) return;
  // A plain colour stands in for the parent when it has no cache or paints no background of its own;
  // otherwise the parent's cached pixels are the real background.
  TColor fill = KeyColor;
  if (!parent.Exists)
    fill = KeyColor;
  else if (!ci.Valid)
    fill = ResolveSystemColor(parent.Color);
  else if (!(parent.QueryOwnBackground && parent.QueryOwnBackground()))
    fill = AskParentColor(parent);
  if (fill == KeyColor) {
    ci.OffsetX += position.X;
    ci.OffsetY += position.Y;
  }

  const TsMaskData &rec = skin.Masks[borderIndex];
  const Image24 &picture = RecordPicture(skin, rec);
  // A picture of its own without a frame count is read as three masked frames.
  const TsFrame f = rec.ImageCount == 0 && rec.Image ? FrameIn(rec.R, 3, 1, state) : StateFrame(rec, state);
  const int w = cache.Width(), h = cache.Height();
  const int right = f.Left + f.Width - rec.WR, bottom = f.Top + f.Height - rec.WB;
  const std::array<std::pair<TsCorner, Part>, 4> blocks = {{
      {ctTopLeft, {{0, 0, rec.WL, rec.WT}, {f.Left, f.Top, f.Left + rec.WL, f.Top + rec.WT}}},
      {ctBottomLeft, {{0, h - rec.WB, rec.WL, h}, {f.Left, bottom, f.Left + rec.WL, bottom + rec.WB}}},
      {ctTopRight, {{w - rec.WR, 0, w, rec.WT}, {right, f.Top, right + rec.WR, f.Top + rec.WT}}},
      {ctBottomRight, {{w - rec.WR, h - rec.WB, w, h}, {right, bottom, right + rec.WR, bottom + rec.WB}}},
  }};
  const ParentPixels parentPixels(ci);
  for (const auto &[corner, block] : blocks) {
    if (!(corners & corner)) continue;
    for (int j = 0; j < block.target.Height(); ++j) {
      const int y = block.target.Top + j, sy = block.source.Top + j;
      if (y < 0 || y >= h || sy < 0 || sy >= picture.Height()) continue;
      for (int i = 0; i < block.target.Width(); ++i) {
        const int x = block.target.Left + i, sx = block.source.Left + i;
        if (x < 0 || x >= w || sx < 0 || sx >= picture.Width() || !IsKey(picture.PixelAddress(sx, sy))) continue;
        if (fill != KeyColor)
          cache.SetPixel(x, y, fill);
        else if (parentPixels.valid)
          parentPixels.CopyTo(cache.PixelAddress(x, y), x, y); // pixels outside the parent are skipped
      }
    }
  }
}

void CornerKeyRuns(std::vector<TRect> &list, int width, const TsSkin &skin, int index, bool bottom, int dy) {
  if (!skin.IsValidImageIndex(index)) return;
  const TsMaskData &rec = skin.Masks[index];
  const Image24 &picture = RecordPicture(skin, rec);
  const TsFrame f = StateFrame(rec, 0);
  const int top = bottom ? f.Top + f.Height - rec.WB : f.Top;
  const int rows = bottom ? rec.WB : rec.WT;
  AppendKeyRuns(list, picture, TRect{f.Left, top, f.Left + rec.WL, top + rows}, 0, dy);
  const int right = f.Left + f.Width - rec.WR;
  AppendKeyRuns(list, picture, TRect{right, top, right + rec.WR, top + rows}, width - rec.WR, dy);
}
