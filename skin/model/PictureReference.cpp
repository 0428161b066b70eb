#include "skin/model/PictureReference.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "skin/model/SkinErrors.h"
#include "skin/model/SkinOptions.h"
#include "toolkit/base/Text.h"

namespace {

void DeriveBorderWidths(TsMaskData &m, int width, int height) {
  m.WL = m.WR = static_cast<int16_t>(width / (std::max<int>(m.ImageCount, 1) * 3));
  m.WT = m.WB = static_cast<int16_t>(height / ((m.MaskType + 1) * 3));
}

} // namespace

void NormaliseFrameCounts(TsMaskData &record) {
  record.ImageCount = std::max<int16_t>(record.ImageCount, 0);
  record.MaskType = std::max<int16_t>(record.MaskType, 0);
}

void SettleBorderWidths(TsMaskData &m) {
  if (m.WL != 0 || m.WT != 0 || m.WR != 0 || m.WB != 0) return;
  if (m.BorderWidth != 0)
    m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
  else
    DeriveBorderWidths(m, m.R.Width(), m.R.Height());
}

namespace {

class ValueReader {
public:
  // Positions count single-byte characters, so values with other than ASCII are read in Windows-1251.
  ValueReader(std::string_view section, std::string_view key, std::string_view value)
      : section_(section), key_(key), converted_(IsAscii(value) ? std::string() : text::Utf8ToCp1251(value)),
        ansi_(converted_.empty() ? value : converted_) {}

  std::string_view Ansi() const { return ansi_; }

  [[noreturn]] void Fail(const std::string &problem) const {
    throw ESkinOptionsError(std::string(section_), std::string(key_), problem);
  }

  // The number in the characters at position (counted from 1) and length.
  int Field(size_t position, size_t length) const {
    if (ansi_.size() < position + length - 1)
      Fail("the value is too short for the number at position " + std::to_string(position));
    return Number(ansi_.substr(position - 1, length));
  }

  int Number(std::string_view text) const {
    std::optional<int> number = ReadOptionInteger(text);
    if (!number) Fail("\"" + text::Cp1251ToUtf8(text) + "\" is not a number");
    return *number;
  }

  int16_t Short(std::string_view text) const { return ToShort(Number(text)); }
  int16_t ShortField(size_t position, size_t length) const { return ToShort(Field(position, length)); }
  int16_t ToShort(int value) const {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
      Fail(std::to_string(value) + " is out of range");
    return static_cast<int16_t>(value);
  }

private:
  static bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  }

  std::string_view section_;
  std::string_view key_;
  std::string converted_;
  std::string_view ansi_;
};

std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    i = text.find_first_not_of(separators, i);
    if (i == std::string_view::npos) break;
    size_t end = std::min(text.find_first_of(separators, i), text.size());
    words.push_back(text.substr(i, end - i));
    i = end;
  }
  return words;
}

// Words of the older "#" form: blanks separate words, and a group in parentheses is one word.
std::vector<std::string_view> SplitHashWords(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == ')') {
      ++i;
    } else if (text[i] == '(') {
      size_t end = std::min(text.find(')', i + 1), text.size());
      words.push_back(text.substr(i + 1, end - i - 1));
      i = end;
    } else {
      size_t end = std::min(text.find_first_of(" ()", i), text.size());
      words.push_back(text.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

void ReadRect(const ValueReader &v, TsMaskData &m) {
  m.R = TRect{v.Field(2, 4), v.Field(7, 4), v.Field(12, 4), v.Field(17, 4)};
}

PictureReference Glyph(const ValueReader &v) {
  PictureReference ref{PictureReferenceForm::Glyph, {}, {}, false};
  TsMaskData &m = ref.Record;
  ReadRect(v, m);
  m.ImageCount = v.ShortField(22, 1);
  m.MaskType = v.ShortField(24, 1);
  m.ImgType = TacImgType::itisaGlyph;
  return ref;
}

PictureReference BorderMask(const ValueReader &v) {
  PictureReference ref{PictureReferenceForm::BorderMask, {}, {}, false};
  TsMaskData &m = ref.Record;
  ReadRect(v, m);
  m.WL = v.ShortField(22, 4);
  m.WT = v.ShortField(27, 4);
  m.WR = v.ShortField(32, 4);
  m.WB = v.ShortField(37, 4);
  m.ImageCount = v.ShortField(42, 1);
  m.MaskType = v.ShortField(44, 1);
  m.StretchMode = v.ShortField(46, 1);
  m.BorderWidth = v.ShortField(48, 1);
  m.ImgType = TacImgType::itisaBorder;
  NormaliseFrameCounts(m);
  SettleBorderWidths(m);
  return ref;
}

PictureReference Texture(const ValueReader &v) {
  PictureReference ref{PictureReferenceForm::Texture, {}, {}, false};
  TsMaskData &m = ref.Record;
  ReadRect(v, m);
  m.StretchMode = v.ShortField(22, 2);
  m.MaskType = v.Ansi().size() > 24 ? v.ShortField(25, 1) : 0;
  m.ImageCount = 1;
  m.ImgType = TacImgType::itisaTexture;
  return ref;
}

std::optional<PictureReference> OwnBitmap(const ValueReader &v) {
  auto words = SplitWords(v.Ansi(), "!");
  if (words.empty() || words[0].find(".BMP") == std::string_view::npos) return std::nullopt;
  if (words.size() < 4) v.Fail("an \"!\" picture needs its name, frame count, mask type and image type");
  if (words.size() > 4 && words.size() < 8) v.Fail("an \"!\" picture with border widths needs all four of them");
  PictureReference ref{PictureReferenceForm::OwnBitmap, text::Cp1251ToUtf8(words[0]), {}, false};
  TsMaskData &m = ref.Record;
  m.ImageCount = v.Short(words[1]);
  m.MaskType = v.Short(words[2]);
  int imgType = v.Number(words[3]);
  m.ImgType = imgType >= 0 && imgType <= 2 ? static_cast<TacImgType>(imgType) : TacImgType::itisaBorder;
  if (words.size() >= 8) {
    m.WL = v.Short(words[4]);
    m.WT = v.Short(words[5]);
    m.WR = v.Short(words[6]);
    m.WB = v.Short(words[7]);
    ref.BorderWidthsGiven = true;
  }
  m.StretchMode = 4;
  return ref;
}

PictureReference OldBitmapFile(std::string_view value) {
  PictureReference ref{PictureReferenceForm::OldBitmapFile, text::UpperCase(value), {}, false};
  ref.Record.ImgType = TacImgType::itisaBorder;
  ref.Record.ImageCount = 3;
  ref.Record.MaskType = 1;
  return ref;
}

PictureReference OldMasterRect(const ValueReader &v, std::string_view key) {
  auto words = SplitHashWords(v.Ansi());
  if (words.size() < 3) v.Fail("a \"#\" picture needs its rectangle and its frame numbers");
  auto rect = SplitWords(words[1], ", ");
  auto counts = SplitWords(words[2], ", ");
  if (rect.size() < 4) v.Fail("a \"#\" picture needs four numbers for its rectangle");
  if (counts.size() < 2) v.Fail("a \"#\" picture needs its frame count and mask type");
  PictureReference ref{PictureReferenceForm::OldMasterRect, {}, {}, false};
  TsMaskData &m = ref.Record;
  m.R = TRect{v.Number(rect[0]), v.Number(rect[1]), v.Number(rect[2]), v.Number(rect[3])};
  m.ImageCount = v.Short(counts[0]);
  m.MaskType = v.Short(counts[1]);
  m.ImageCount = std::max<int16_t>(m.ImageCount, 1);
  m.BorderWidth = std::max<int16_t>(counts.size() > 2 ? v.Short(counts[2]) : 0, 0);
  std::string upperKey = text::UpperCase(key);
  if (upperKey == "PATTERN" || upperKey == "HOTPATTERN") {
    m.ImgType = TacImgType::itisaTexture;
    m.StretchMode = 0;
  } else {
    m.ImgType = TacImgType::itisaBorder;
    m.StretchMode = counts.size() > 3 ? v.Short(counts[3]) : 1;
  }
  NormaliseFrameCounts(m);
  SettleBorderWidths(m);
  return ref;
}

// Whether text holds an extension such as ".BMP" in any case; only the dots need a closer look.
bool ContainsExtension(std::string_view text, std::string_view upperExtension) {
  for (size_t dot = text.find('.'); dot != std::string_view::npos; dot = text.find('.', dot + 1))
    if (text::SameText(text.substr(dot, upperExtension.size()), upperExtension)) return true;
  return false;
}

} // namespace

std::optional<PictureReference> ParsePictureReference(std::string_view section, std::string_view key,
                                                      std::string_view value) {
  if (value.empty()) return std::nullopt;
  // Most values are numbers, colours and texts; they are passed over without converting anything.
  if (std::string_view("@^~!").find(value[0]) == std::string_view::npos && value.find('#') == std::string_view::npos &&
      !NamesBitmapFile(value))
    return std::nullopt;
  ValueReader reader(section, key, value);
  std::optional<PictureReference> ref;
  bool oldForm = false;
  switch (value[0]) {
  case '@': ref = Glyph(reader); break;
  case '^': ref = BorderMask(reader); break;
  case '~': ref = Texture(reader); break;
  case '!': ref = OwnBitmap(reader); break;
  default:
    oldForm = true;
    if (value.find('#') == std::string_view::npos) {
      if (NamesBitmapFile(value)) ref = OldBitmapFile(value);
    } else if (value != "#") {
      ref = OldMasterRect(reader, key);
    }
  }
  if (!ref) return std::nullopt;
  NormaliseFrameCounts(ref->Record);
  ref->Record.SectionName = oldForm ? text::UpperCase(section) : std::string(section);
  ref->Record.PropertyName = oldForm ? text::UpperCase(key) : std::string(key);
  return ref;
}

bool NeedsOwnPicture(PictureReferenceForm form) {
  return form == PictureReferenceForm::OwnBitmap || form == PictureReferenceForm::OldBitmapFile;
}

TsMaskData MaskForPicture(PictureReference reference, std::unique_ptr<Image24> picture) {
  TsMaskData m = std::move(reference.Record);
  m.R = TRect{0, 0, picture->Width(), picture->Height()};
  if (!reference.BorderWidthsGiven) DeriveBorderWidths(m, picture->Width(), picture->Height());
  m.Image = std::move(picture);
  return m;
}

bool NamesJpegPicture(std::string_view value) {
  return ContainsExtension(value, ".JPG") || ContainsExtension(value, ".JPEG");
}

bool NamesBitmapFile(std::string_view value) { return ContainsExtension(value, ".BMP"); }
