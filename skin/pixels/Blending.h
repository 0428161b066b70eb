#pragma once
// The blending, key-colour copying, greying and colour-mixing primitives that all skin painting is built
// from. Images are 24-bit unless stated; every loop is clipped to both images, so nothing is written or
// read outside them. Colours are RGB values (system colours are resolved by the caller).

#include "skin/pixels/Geometry.h"
#include "skin/pixels/Image24.h"
#include "skin/pixels/ParentCache.h"

// Fills a rectangle (right and bottom exclusive, clipped to the image) with a colour.
void FillRectColor(Image24 &image, TRect rect, TColor color);

// Mixes a colour into every pixel of an inclusive rectangle: each channel becomes
// nearest(old * percent / 100 + colour * (1 - percent / 100)); percent 100 leaves the image as it is.
void BlendRectColor(Image24 &image, TRect inclusive, int percent, TColor color);

// Whole-image blend of two images of the same size; weight is the target's share out of 255.
void BlendImage(Image24 &target, const Image24 &source, uint8_t weight);

// Blends the source rectangle into the target with its top-left corner at point, clipped to both images.
void BlendImageAt(Image24 &target, const Image24 &source, uint8_t weight, TPoint point, TRect sourceRect);

// Pulls the target towards the colour where the mask (same size) is dark: per channel
// target = ClampByte(((target - c) * m + c * 256) shr 8).
void TintByMask(Image24 &target, const Image24 &mask, TColor color);

// Copies the whole source to (x, y), skipping source pixels equal to key.
void CopyKeyed(Image24 &target, const Image24 &source, int x, int y, TColor key);

// Copies the inclusive source rectangle to (x, y), skipping pixels equal to key. Parts of the rectangle
// outside the source are cut off without moving the rest.
void CopyRectKeyed(Image24 &target, const Image24 &source, int x, TColor key, TRect inclusive, int y);

// As CopyRectKeyed; with useParent and a valid parent cache, key-coloured pixels take the parent's
// pixel at (OffsetX + tx, OffsetY + ty) instead of being skipped.
void CopyRectKeyedParent(Image24 &target, const Image24 &source, int x, bool useParent, const TCacheInfo &parent,
                         TColor key, TRect inclusive, int y);

// Floating blend of the inclusive source rectangle into the target at (x, y): each channel becomes
// nearest(S - ratio * (S - D)), ratio being the share of the old target. Pixels equal to key are skipped
// unless key has its high byte 0xFF.
void BlendKeyed(Image24 &target, int x, int y, TColor key, double ratio, TRect inclusive, const Image24 &source);

// Every pixel becomes (blue + green + red) div 3 in all three channels.
void MakeGray(Image24 &image);
void MakeGrayExceptKey(Image24 &image, TColor key);

// A colour between b (ratio 0) and a (ratio 1); the high byte is a's.
TColor ColorBetween(TColor a, TColor b, double ratio);

// Writes a blend of two 24-bit images of the same size into the first three bytes of each 32-bit target
// pixel: ClampByte(((A - B) * v + B * 256) shr 8), v being weight or, when given, the weight image's channel.
void CrossFade32(Image32 &target, const Image24 &a, const Image24 &b, uint8_t weight, const Image24 *weights);
