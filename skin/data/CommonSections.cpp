#include "skin/data/CommonSections.h"

#include <algorithm>

#include "skin/data/GeneralDataReader.h"
#include "skin/data/PictureReference.h"
#include "skin/data/SkinPicturesReader.h"
#include "toolkit/base/Text.h"

std::vector<std::string> RemoveBlanksFromCommonSections(const std::vector<std::string> &lines) {
  std::vector<std::string> result;
  for (std::string line : lines) {
    if (line.empty() || line[0] != ';') line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
    result.push_back(std::move(line));
  }
  return result;
}

SkinOptions ReadCommonSections(const std::vector<std::string> &lines) {
  std::string text;
  for (const auto &line : lines)
    text += line + "\n";
  return SkinOptions::FromUtf8(text);
}

void MergeCommonGeneralData(const SkinOptions &common, TsGeneralDataArray &records,
                            const SkinProblemHandler &problems) {
  size_t skinRecords = records.size();
  for (const auto &section : common.Sections()) {
    bool present = std::any_of(records.begin(), records.begin() + static_cast<ptrdiff_t>(skinRecords),
                               [&](const TsGeneralData &g) { return g.SectionName == section.Name(); });
    if (present) continue;
    TsGeneralData record = ReadCommonGeneralData(section, records, problems);
    records.push_back(std::move(record));
  }
}

void AddCommonImages(const SkinOptions &common, const std::string &skinPath, bool hasMasterBitmap, TsMaskArray &masks,
                     const SkinProblemHandler &problems) {
  FolderPictureSource files(skinPath);
  for (const auto &section : common.Sections()) {
    if (text::UpperCase(section.Name()) == GlobalInfoSection) continue;
    for (const auto &[key, value] : section.Keys()) {
      if (value.find('#') != std::string::npos) {
        if (value == "#" || !hasMasterBitmap) continue;
        problems.Guard([&] {
          if (auto reference = ParsePictureReference(section.Name(), key, value))
            masks.push_back(std::move(reference->Record));
        });
      } else if (text::UpperCase(value).find(".BMP") != std::string::npos) {
        auto picture = LoadSkinPicture(files, value, section.Name(), key, problems);
        if (!picture) continue;
        TsMaskData m;
        m.Image = std::move(picture);
        m.SectionName = text::UpperCase(section.Name());
        m.PropertyName = text::UpperCase(key);
        masks.push_back(std::move(m));
      }
    }
  }
}

void AddCommonPatterns(const SkinOptions &common, const std::string &skinPath, TsPatternArray &patterns,
                       const SkinProblemHandler &problems) {
  FolderPictureSource files(skinPath);
  for (const auto &section : common.Sections()) {
    for (const auto &[key, value] : section.Keys()) {
      if (!NamesJpegPicture(value)) continue;
      if (auto picture = LoadSkinPicture(files, value, section.Name(), key, problems))
        patterns.push_back(TsPatternData{std::move(picture), text::UpperCase(section.Name()), text::UpperCase(key)});
    }
  }
}
