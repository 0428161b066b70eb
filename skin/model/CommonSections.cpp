#include "skin/model/CommonSections.h"

#include <algorithm>

#include "skin/model/GeneralDataReader.h"
#include "skin/model/PictureReference.h"
#include "skin/model/SkinPicturesReader.h"
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
  ForEachOption(common, [&](const SkinOptionsSection &section, std::string_view key, std::string_view value) {
    if (text::SameText(section.NameView(), GlobalInfoSection)) return;
    if (value.find('#') != std::string_view::npos) {
      if (value == "#" || !hasMasterBitmap) return;
      problems.Guard([&] {
        if (auto reference = ParsePictureReference(section.NameView(), key, value))
          masks.push_back(std::move(reference->Record));
      });
    } else if (NamesBitmapFile(value)) {
      auto picture = LoadSkinPicture(files, value, section.NameView(), key, problems);
      if (!picture) return;
      TsMaskData m;
      m.Image = std::move(picture);
      m.SectionName = text::UpperCase(section.NameView());
      m.PropertyName = text::UpperCase(key);
      masks.push_back(std::move(m));
    }
  });
}

void AddCommonPatterns(const SkinOptions &common, const std::string &skinPath, TsPatternArray &patterns,
                       const SkinProblemHandler &problems) {
  FolderPictureSource files(skinPath);
  ForEachOption(common, [&](const SkinOptionsSection &section, std::string_view key, std::string_view value) {
    if (!NamesJpegPicture(value)) return;
    if (auto picture = LoadSkinPicture(files, value, section.NameView(), key, problems))
      patterns.push_back(TsPatternData{std::move(picture), text::UpperCase(section.NameView()), text::UpperCase(key)});
  });
}
