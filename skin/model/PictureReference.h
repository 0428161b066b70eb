#pragma once
// Option values that name pictures. "@" glyphs, "^" border masks and "~" textures give a rectangle of the
// master bitmap with numbers at fixed character positions; "!" names a bitmap of its own in words separated
// by "!"; two older forms name a ".BMP" file, or a master bitmap rectangle after a "#".

#include <optional>
#include <string>
#include <string_view>

#include "skin/model/SkinRecords.h"

enum class PictureReferenceForm {
  Glyph,         // "@"
  BorderMask,    // "^"
  Texture,       // "~"
  OwnBitmap,     // "!"
  OldBitmapFile, // a value holding ".BMP" without "#"
  OldMasterRect, // a value holding "#"
};

struct PictureReference {
  PictureReferenceForm Form = PictureReferenceForm::Glyph;
  // For the two forms with a picture of their own: the name to look the picture up by.
  std::string PictureName;
  // The record as far as the value tells; own-bitmap forms are finished by MaskForPicture.
  TsMaskData Record;
  // "!" values with words 5 to 8 give their border widths; others derive them from the picture.
  bool BorderWidthsGiven = false;
};

// Reads one value of [section] key. None when the value names no picture (numbers, colours, "N/A", an "!"
// value without ".BMP"). Raises ESkinOptionsError naming section and key when a picture value is malformed:
// a fixed-position field that is cut short or not a number, or an "!" value with five to seven words.
std::optional<PictureReference> ParsePictureReference(std::string_view section, std::string_view key,
                                                      std::string_view value);

// True for the two forms that carry a picture of their own.
bool NeedsOwnPicture(PictureReferenceForm form);

// The finished record of an own-bitmap reference: the picture, its rectangle and (unless the value gave
// them) border widths derived from its size.
TsMaskData MaskForPicture(PictureReference reference, std::unique_ptr<Image24> picture);

// Frame counts and mask types below 0 become 0. A frame count of 0 stays: each painter has its own rule
// for such pictures, and frame sizes divide by at least 1.
void NormaliseFrameCounts(TsMaskData &record);
// Border masks of the master bitmap: when WL, WT, WR and WB are all 0, they all become BorderWidth, or
// without one, a third of the frame width and height.
void SettleBorderWidths(TsMaskData &record);

// True when value, upper-cased, holds ".JPG" or ".JPEG" (a JPEG picture), or ".BMP" (a bitmap file).
bool NamesJpegPicture(std::string_view value);
bool NamesBitmapFile(std::string_view value);
