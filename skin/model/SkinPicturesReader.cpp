#include "skin/model/SkinPicturesReader.h"

#include "skin/model/GeneralDataReader.h"
#include "skin/model/PictureReference.h"
#include "skin/pixels/PictureReader.h"
#include "toolkit/base/Text.h"

namespace {

// A texture record holding a small JPEG picture of its own.
TsMaskData JpegTextureRecord(std::unique_ptr<Image24> picture, std::string section, std::string key) {
  TsMaskData m;
  m.Image = std::move(picture);
  m.SectionName = std::move(section);
  m.PropertyName = std::move(key);
  m.ImgType = TacImgType::itisaTexture;
  m.ImageCount = 1;
  return m;
}

} // namespace

std::unique_ptr<Image24> LoadSkinPicture(const SkinPictureSource &pictures, std::string_view name,
                                         std::string_view section, std::string_view key,
                                         const SkinProblemHandler &problems) {
  auto missing = [&](const std::string &problem) {
    problems.Missing(std::string(section), std::string(key), "picture \"" + std::string(name) + "\" " + problem);
  };
  std::unique_ptr<Image24> picture;
  problems.Guard([&] {
    std::optional<PictureFile> file;
    try {
      file = pictures.Find(name);
      if (file) picture = std::make_unique<Image24>(ReadPicture(file->Bytes(), file->Name()));
    } catch (const ESkinOptionsError &) {
      throw;
    } catch (const Exception &e) {
      throw ESkinOptionsError(std::string(section), std::string(key),
                              "picture \"" + std::string(name) + "\": " + e.Message());
    }
    if (!file) missing("not found");
  });
  if (picture && picture->Width() <= 0) {
    missing("has no width");
    picture.reset();
  }
  return picture;
}

Image24 ReadMasterBitmap(const SkinOptions &options, const SkinPictureSource &pictures,
                         const SkinProblemHandler &problems) {
  auto name = options.Find(GlobalInfoSection, "MASTERBITMAP");
  if (!name || name->empty()) return Image24();
  auto picture = LoadSkinPicture(pictures, *name, std::string(GlobalInfoSection), "MASTERBITMAP", problems);
  return picture ? std::move(*picture) : Image24();
}

TsMaskArray ReadImages(const SkinOptions &options, const SkinPictureSource &pictures,
                       const SkinProblemHandler &problems) {
  TsMaskArray masks;
  ForEachOption(options, [&](const SkinOptionsSection &section, std::string_view key, std::string_view value) {
    if (section.NameView() == GlobalInfoSection && key == "MASTERBITMAP") return;
    problems.Guard([&] {
      auto reference = ParsePictureReference(section.NameView(), key, value);
      if (!reference) return;
      if (!NeedsOwnPicture(reference->Form)) {
        masks.push_back(std::move(reference->Record));
        return;
      }
      auto picture = LoadSkinPicture(pictures, reference->PictureName, section.NameView(), key, problems);
      if (picture) masks.push_back(MaskForPicture(std::move(*reference), std::move(picture)));
    });
  });
  return masks;
}

void ReadPatterns(const SkinOptions &options, const SkinPictureSource &pictures, TsMaskArray &masks,
                  TsPatternArray &patterns, const SkinProblemHandler &problems) {
  ForEachOption(options, [&](const SkinOptionsSection &section, std::string_view key, std::string_view value) {
    if (!NamesJpegPicture(value)) return;
    auto picture = LoadSkinPicture(pictures, text::UpperCase(value), section.NameView(), key, problems);
    if (!picture) return;
    std::string upperSection = text::UpperCase(section.NameView()), upperKey = text::UpperCase(key);
    if (int64_t{picture->Width()} * picture->Height() >= MinPatternPixels)
      patterns.push_back(TsPatternData{std::move(picture), std::move(upperSection), std::move(upperKey)});
    else
      masks.push_back(JpegTextureRecord(std::move(picture), std::move(upperSection), std::move(upperKey)));
  });
}
