#pragma once
// The pictures of a skin: the master bitmap, one image record per picture reference and the JPEG patterns,
// each walked over the options in file order.

#include "skin/model/SkinOptions.h"
#include "skin/model/SkinPictureSource.h"
#include "skin/model/SkinProblems.h"
#include "skin/model/SkinRecords.h"

// JPEG pictures of at least this many pixels stay patterns; smaller ones become texture image records.
constexpr int64_t MinPatternPixels = 90000;

// The picture that "MASTERBITMAP" of "GLOBALINFO" names, or an empty image when there is none.
Image24 ReadMasterBitmap(const SkinOptions &options, const SkinPictureSource &pictures,
                         const SkinProblemHandler &problems);

// One image record per picture reference of every section and key (except "MASTERBITMAP" of "GLOBALINFO").
TsMaskArray ReadImages(const SkinOptions &options, const SkinPictureSource &pictures,
                       const SkinProblemHandler &problems);

// Every value naming a JPEG picture: a pattern record when it is large, else a texture image record
// appended to masks.
void ReadPatterns(const SkinOptions &options, const SkinPictureSource &pictures, TsMaskArray &masks,
                  TsPatternArray &patterns, const SkinProblemHandler &problems);

// The decoded picture that name refers to, or null (reported as missing) when there is none or it has no
// width. A picture that cannot be decoded is an error of [section] key.
std::unique_ptr<Image24> LoadSkinPicture(const SkinPictureSource &pictures, std::string_view name,
                                         std::string_view section, std::string_view key,
                                         const SkinProblemHandler &problems);

// Every key of every section, in file order, as (section, key, value).
template <typename Visit> void ForEachOption(const SkinOptions &options, Visit visit) {
  for (const auto &section : options.Sections())
    for (const auto &entry : section.Keys())
      visit(section, entry.Key, entry.Value);
}
