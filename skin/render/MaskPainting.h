#pragma once
// Painting from the image records of a loaded skin: a record's picture cut into state frames, into a
// picture half and a mask half, and into nine parts (corners, edges, centre) that stretch a border to any
// control size. Also the corners of a finished cache image restored from the parent's background, the
// window shape of a border, and the transparent runs of a frame's corners.
//
// The picture of a record is its own bitmap or the skin's master bitmap. Key-coloured pixels (KeyColor)
// are transparent. Every operation is clipped to its images; an invalid image index draws nothing.

#include <cstdint>
#include <vector>

#include "skin/model/Skin.h"
#include "skin/pixels/ParentCache.h"
#include "skin/render/ParentLink.h"

// StretchMode bits of a border picture.
namespace BorderStretch {
constexpr int Stretched = 1;        // edges and centre are stretched instead of tiled (unmasked pictures only)
constexpr int NotInNormalState = 2; // the border is not drawn for state 0
constexpr int FillsCentre = 4;      // the centre is drawn when the caller asks for filling
} // namespace BorderStretch

// Where the frame of a state lies in a record's picture; a state beyond the last frame uses the last one.
struct TsFrame {
  int Left = 0;
  int Top = 0;
  int Width = 0;  // the record's width divided by ImageCount
  int Height = 0; // the record's height divided by MaskType + 1
};
TsFrame StateFrame(const TsMaskData &rec, int state);

const Image24 &RecordPicture(const TsSkin &skin, const TsMaskData &rec);

// The frame of the state as a nine-part border over r: corners keep their widths WL, WT, WR, WB (shrunk
// evenly when r is too small), edges and, with fill and StretchMode bit 4, the centre are tiled or
// stretched. Key-coloured corner pixels show the parent's cache when useParent is set and ci is valid;
// key-coloured corners of masked pictures take keyFill without a parent cache.
void DrawBorderMask(Image24 &target, TRect r, bool fill, const TCacheInfo &ci, const TsSkin &skin, int index, int state,
                    bool useParent, TColor keyFill = KeyColor);

// One part of a masked picture (MaskType above 0): each target channel becomes
// ((D - S) * M + S * 256) shr 8, M being the mask pixel half the record's height below the picture pixel.
// With keyFlag, key-coloured picture pixels take the parent's pixel (ci valid), else keyFill, else the
// key colour; without it they blend like the others.
void CopyMaskedPiece(TRect d, TRect s, Image24 &target, const TsMaskData &rec, bool keyFlag, const TCacheInfo &ci,
                     const Image24 &source, TColor keyFill = KeyColor);

// One whole frame with its top-left corner at p. Mode 1 copies; other modes let more of the background
// through (half of it for unmasked master-bitmap pictures).
void DrawStateImage(Image24 &target, TPoint p, int state, const TsSkin &skin, int index, int mode);
void CopyStateImageMasked(TRect d, TRect s, Image24 &target, const TsMaskData &rec, int mode, const Image24 &source);

// Tiles the first tile of a masked texture over r. Mode 0 covers r (the last row and column cut); mode 10
// lays whole tiles only and shows the parent's background in the rest. For both, r becomes
// (-1, -1, -1, -1): nothing is left for a plain colour. Other modes draw nothing and leave r. Without a
// parent cache, keyFill stands in for the parent.
void DrawMaskedTexture(Image24 &target, TRect &r, const TCacheInfo &ci, int mode, const TsSkin &skin, int index,
                       TColor keyFill = KeyColor);
// One tile of a masked texture: key-coloured pixels take keyFill when set, else the parent's pixel.
void CopyMaskedTile(TRect d, TRect s, Image24 &target, const TsMaskData &rec, const TCacheInfo &ci,
                    const Image24 &source, TColor keyFill = KeyColor);

// The nine-part border over the whole target for a window shape: key-coloured corner pixels are left
// unpainted and each of their runs in a row is appended to regionCuts as a one-pixel-high rectangle, to be
// cut out of the window's region.
void DrawBorderShaped(Image24 &target, std::vector<TRect> &regionCuts, bool fill, int state, const TsSkin &skin,
                      int index);

enum TsCorner : unsigned {
  ctTopLeft = 1,
  ctBottomLeft = 2,
  ctTopRight = 4,
  ctBottomRight = 8,
  AllCorners = 15,
};

// Re-copies the parent's background into the corner pixels of a control's cache image that are
// key-coloured in the border picture's frame for the state. ci is the parent's cache as the parent
// published it, position the control's place in the parent.
void RestoreCorners(Image24 &cache, const TsSkin &skin, int borderIndex, int state, const TsParentLink &parent,
                    TCacheInfo ci, TPoint position, unsigned corners = AllCorners);

// Appends the key-coloured runs of the first frame's left and right corner blocks (the top band, or with
// bottom the bottom band) as one-pixel-high rectangles at row dy + row; right-block runs are placed so that
// the block ends at column width.
void CornerKeyRuns(std::vector<TRect> &list, int width, const TsSkin &skin, int index, bool bottom, int dy);
