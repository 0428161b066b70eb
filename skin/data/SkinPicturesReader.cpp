#include "skin/data/SkinPicturesReader.h"

#include "skin/data/GeneralDataReader.h"
#include "skin/data/PictureReference.h"
#include "skin/paint/PictureReader.h"
#include "toolkit/base/Text.h"

std::unique_ptr<Image24> LoadSkinPicture(const SkinPictureSource &pictures, std::string_view name,
                                         const std::string &section, const std::string &key,
                                         const SkinProblemHandler &problems) {
  std::unique_ptr<Image24> picture;
  problems.Guard([&] {
    std::optional<PictureFile> file;
    try {
      file = pictures.Find(name);
      if (file) picture = std::make_unique<Image24>(ReadPicture(file->Bytes(), file->Name()));
    } catch (const ESkinOptionsError &) {
      throw;
    } catch (const Exception &e) {
      throw ESkinOptionsError(section, key, "picture \"" + std::string(name) + "\": " + e.Message());
    }
    if (!file) problems.Missing(section, key, "picture \"" + std::string(name) + "\" not found");
  });
  if (picture && picture->Width() <= 0) {
    problems.Missing(section, key, "picture \"" + std::string(name) + "\" has no width");
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
  for (const auto &section : options.Sections()) {
    for (const auto &[key, value] : section.Keys()) {
      if (section.Name() == GlobalInfoSection && key == "MASTERBITMAP") continue;
      problems.Guard([&] {
        auto reference = ParsePictureReference(section.Name(), key, value);
        if (!reference) return;
        if (!NeedsOwnPicture(reference->Form)) {
          masks.push_back(std::move(reference->Record));
          return;
        }
        auto picture = LoadSkinPicture(pictures, reference->PictureName, section.Name(), key, problems);
        if (picture) masks.push_back(MaskForPicture(std::move(*reference), std::move(picture)));
      });
    }
  }
  return masks;
}

TsMaskData JpegTextureRecord(std::unique_ptr<Image24> picture, std::string section, std::string key) {
  TsMaskData m;
  m.Image = std::move(picture);
  m.SectionName = std::move(section);
  m.PropertyName = std::move(key);
  m.ImgType = TacImgType::itisaTexture;
  m.ImageCount = 1;
  return m;
}

void ReadPatterns(const SkinOptions &options, const SkinPictureSource &pictures, TsMaskArray &masks,
                  TsPatternArray &patterns, const SkinProblemHandler &problems) {
  for (const auto &section : options.Sections()) {
    for (const auto &[key, value] : section.Keys()) {
      if (!NamesJpegPicture(value)) continue;
      auto picture = LoadSkinPicture(pictures, text::UpperCase(value), section.Name(), key, problems);
      if (!picture) continue;
      std::string upperSection = text::UpperCase(section.Name()), upperKey = text::UpperCase(key);
      if (int64_t{picture->Width()} * picture->Height() >= MinPatternPixels)
        patterns.push_back(TsPatternData{std::move(picture), std::move(upperSection), std::move(upperKey)});
      else
        masks.push_back(JpegTextureRecord(std::move(picture), std::move(upperSection), std::move(upperKey)));
    }
  }
}
