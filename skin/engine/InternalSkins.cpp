#include "skin/engine/InternalSkins.h"

#include <span>

#include "skin/pixels/PictureReader.h"
#include "toolkit/base/Decimal.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/base/MetaClass.h"

namespace {

// Stored as text ("5.41"): the layout has no real numbers, and the decimal separator is always ".".
double ReadVersion(const std::string &text) {
  const std::optional<double> value = text::ParseDecimal(text);
  if (!value) throw EConvertError("'" + text + "' is not a valid version");
  return *value;
}

// A picture kept in the layout: a bitmap file's bytes, or a JPEG picture's.
std::shared_ptr<const Image24> StoredPicture(std::span<const uint8_t> bytes) {
  const bool bitmap = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
  return std::make_shared<const Image24>(bitmap ? ReadBitmap(bytes) : ReadJpeg(bytes));
}

// A layout property that sets one field of an item's record.
template <class Item, class Field> auto SetField(Field decltype(Item::Record)::*field) {
  return [field](Item &item, auto value) { item.Record.*field = static_cast<Field>(value); };
}

const TIdentTable ImageTypeNames = {{"itisaBorder", int(TacImgType::itisaBorder)},
                                    {"itisaTexture", int(TacImgType::itisaTexture)},
                                    {"itisaGlyph", int(TacImgType::itisaGlyph)}};

template <class Item> std::vector<decltype(Item::Record)> Records(const TCollection &collection) {
  std::vector<decltype(Item::Record)> records;
  for (int i = 0; i < collection.Count(); ++i)
    records.push_back(static_cast<const Item *>(collection.Items(i))->Record);
  return records;
}

template <class T> void Append(std::vector<T> &to, std::vector<T> more) {
  to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

} // namespace

const TMetaClass &TsSkinGeneralItem::StaticMetaClass() {
  using I = TsSkinGeneralItem;
  using R = TsSkinGeneral;
  return DefineClass<I, TCollectionItem>("TsSkinGeneral", [](TClassBuilder<I> &c) {
    c.String("SectionName", SetField<I>(&R::SectionName));
    c.String("ParentClass", SetField<I>(&R::ParentClass));
    c.Color("Color", SetField<I>(&R::Color));
    c.Int("Bevel", SetField<I>(&R::Bevel));
    c.String("FontColor", SetField<I>(&R::FontColor));
    c.String("HotFontColor", SetField<I>(&R::HotFontColor));
    c.Bool("ReservedBoolean", SetField<I>(&R::ReservedBoolean));
    c.Int("ShadowBlur", SetField<I>(&R::ShadowBlur));
    c.Color("ShadowColor", SetField<I>(&R::ShadowColor));
    c.Bool("ShadowEnabled", SetField<I>(&R::ShadowEnabled));
    c.Int("ShadowOffset", SetField<I>(&R::ShadowOffset));
    c.Int("ShadowTransparency", SetField<I>(&R::ShadowTransparency));
    c.Int("Transparency", SetField<I>(&R::Transparency));
    c.Int("GradientPercent", SetField<I>(&R::GradientPercent));
    c.String("GradientData", SetField<I>(&R::GradientData));
    c.Int("ImagePercent", SetField<I>(&R::ImagePercent));
    c.Bool("ShowFocus", SetField<I>(&R::ShowFocus));
    c.Bool("FadingEnabled", SetField<I>(&R::FadingEnabled));
    c.Int("FadingIntervalIn", SetField<I>(&R::FadingIntervalIn));
    c.Int("FadingIntervalOut", SetField<I>(&R::FadingIntervalOut));
    c.Int("FadingIterations", SetField<I>(&R::FadingIterations));
    c.Color("HotColor", SetField<I>(&R::HotColor));
    c.Int("HotTransparency", SetField<I>(&R::HotTransparency));
    c.Int("HotBevel", SetField<I>(&R::HotBevel));
    c.Int("HotGradientPercent", SetField<I>(&R::HotGradientPercent));
    c.String("HotGradientData", SetField<I>(&R::HotGradientData));
    c.Int("HotImagePercent", SetField<I>(&R::HotImagePercent));
    c.Color("BorderColor1", SetField<I>(&R::BorderColor1));
    c.Color("BorderColor2", SetField<I>(&R::BorderColor2));
  });
}

const TMetaClass &TsSkinImageItem::StaticMetaClass() {
  using I = TsSkinImageItem;
  using R = TsSkinImage;
  return DefineClass<I, TCollectionItem>("TsSkinImage", [](TClassBuilder<I> &c) {
    c.String("Name", SetField<I>(&R::Name));
    c.String("SectionName", SetField<I>(&R::SectionName));
    c.String("PropertyName", SetField<I>(&R::PropertyName));
    c.Binary("Image", [](I &item, const std::vector<uint8_t> &bytes) { item.Record.Image = StoredPicture(bytes); });
    c.Int("Left", SetField<I>(&R::Left));
    c.Int("Top", SetField<I>(&R::Top));
    c.Int("Right", SetField<I>(&R::Right));
    c.Int("Bottom", SetField<I>(&R::Bottom));
    c.Int("ImageCount", SetField<I>(&R::ImageCount));
    c.Int("MaskType", SetField<I>(&R::MaskType));
    c.Int("BorderWidth", SetField<I>(&R::BorderWidth));
    c.Int("StretchMode", SetField<I>(&R::StretchMode));
    c.Enum<TacImgType>("ImgType", SetField<I>(&R::ImgType), ImageTypeNames);
    c.Int("WL", SetField<I>(&R::WL));
    c.Int("WT", SetField<I>(&R::WT));
    c.Int("WR", SetField<I>(&R::WR));
    c.Int("WB", SetField<I>(&R::WB));
  });
}

const TMetaClass &TsSkinPatternItem::StaticMetaClass() {
  using I = TsSkinPatternItem;
  using R = TsSkinPattern;
  return DefineClass<I, TCollectionItem>("TsSkinPattern", [](TClassBuilder<I> &c) {
    c.String("Name", SetField<I>(&R::Name));
    c.String("SectionName", SetField<I>(&R::SectionName));
    c.String("PropertyName", SetField<I>(&R::PropertyName));
    c.Binary("Image", [](I &item, const std::vector<uint8_t> &bytes) { item.Record.Image = StoredPicture(bytes); });
  });
}

TsStoredSkinItem::TsStoredSkinItem(TCollection *collection)
    : TCollectionItem(collection), GeneralData(TsSkinGeneralItem::StaticMetaClass(), this),
      Images(TsSkinImageItem::StaticMetaClass(), this), Patterns(TsSkinPatternItem::StaticMetaClass(), this) {}

void TsStoredSkinItem::Assign(const TPersistent &source) {
  if (const auto *item = dynamic_cast<const TsStoredSkinItem *>(&source)) {
    Skin = item->Stored();
    GeneralData.Clear();
    Images.Clear();
    Patterns.Clear();
    return;
  }
  TCollectionItem::Assign(source);
}

TsStoredSkin TsStoredSkinItem::Stored() const {
  TsStoredSkin stored = Skin;
  Append(stored.GeneralData, Records<TsSkinGeneralItem>(GeneralData));
  Append(stored.Images, Records<TsSkinImageItem>(Images));
  Append(stored.Patterns, Records<TsSkinPatternItem>(Patterns));
  return stored;
}

const TMetaClass &TsStoredSkinItem::StaticMetaClass() {
  using I = TsStoredSkinItem;
  return DefineClass<I, TCollectionItem>("TsStoredSkin", [](TClassBuilder<I> &c) {
    c.String("Name", [](I &i, const std::string &v) { i.Skin.Name = v; });
    c.Binary("Data", [](I &i, const std::vector<uint8_t> &v) { i.Skin.Data = v; });
    c.Collection("GeneralData", [](I &i) -> TCollection * { return &i.GeneralData; });
    c.Collection("Images", [](I &i) -> TCollection * { return &i.Images; });
    c.Collection("Patterns", [](I &i) -> TCollection * { return &i.Patterns; });
    c.Binary("MasterBitmap", [](I &i, const std::vector<uint8_t> &v) { i.Skin.MasterBitmap = StoredPicture(v); });
    c.String("Version", [](I &i, const std::string &v) { i.Skin.Version = ReadVersion(v); });
    c.String("Author", [](I &i, const std::string &v) { i.Skin.Author = v; });
    c.String("Description", [](I &i, const std::string &v) { i.Skin.Description = v; });
    c.Color("Shadow1Color", [](I &i, TColor v) { i.Skin.Shadow1Color = v; });
    c.Int("Shadow1Offset", [](I &i, int v) { i.Skin.Shadow1Offset = v; });
    c.Int("Shadow1Blur", [](I &i, int v) { i.Skin.Shadow1Blur = v; });
    c.Int("Shadow1Transparency", [](I &i, int v) { i.Skin.Shadow1Transparency = v; });
    c.Color("BorderColor", [](I &i, TColor v) { i.Skin.BorderColor = v; });
  });
}

TsStoredSkins::TsStoredSkins(TPersistent &owner) : TCollection(TsStoredSkinItem::StaticMetaClass(), &owner) {}

const TMetaClass &TsStoredSkins::StaticMetaClass() { return DefineClass<TsStoredSkins, TCollection>("TsStoredSkins"); }

std::vector<TsStoredSkin> TsStoredSkins::Skins() const {
  std::vector<TsStoredSkin> skins;
  skins.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i)
    skins.push_back(Items(i)->Stored());
  return skins;
}
