#include "skin/engine/InternalSkins.h"

#include <cstdlib>

#include "toolkit/base/Exceptions.h"
#include "toolkit/base/MetaClass.h"

namespace {
// Stored as text ("5.41"): the layout has no real numbers, and the decimal separator is always ".".
double ReadVersion(const std::string &text) {
  char *end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0') throw EConvertError("'" + text + "' is not a valid version");
  return value;
}
} // namespace

void TsStoredSkinItem::Assign(const TPersistent &source) {
  if (const auto *item = dynamic_cast<const TsStoredSkinItem *>(&source)) {
    Skin = item->Skin;
    return;
  }
  TCollectionItem::Assign(source);
}

const TMetaClass &TsStoredSkinItem::StaticMetaClass() {
  return DefineClass<TsStoredSkinItem, TCollectionItem>("TsStoredSkin", [](TClassBuilder<TsStoredSkinItem> &c) {
    c.String("Name", [](TsStoredSkinItem &i, const std::string &v) { i.Skin.Name = v; });
    c.Binary("Data", [](TsStoredSkinItem &i, const std::vector<uint8_t> &v) { i.Skin.Data = v; });
    c.String("Version", [](TsStoredSkinItem &i, const std::string &v) { i.Skin.Version = ReadVersion(v); });
    c.String("Author", [](TsStoredSkinItem &i, const std::string &v) { i.Skin.Author = v; });
    c.String("Description", [](TsStoredSkinItem &i, const std::string &v) { i.Skin.Description = v; });
    c.Color("Shadow1Color", [](TsStoredSkinItem &i, TColor v) { i.Skin.Shadow1Color = v; });
    c.Int("Shadow1Offset", [](TsStoredSkinItem &i, int v) { i.Skin.Shadow1Offset = v; });
    c.Int("Shadow1Blur", [](TsStoredSkinItem &i, int v) { i.Skin.Shadow1Blur = v; });
    c.Int("Shadow1Transparency", [](TsStoredSkinItem &i, int v) { i.Skin.Shadow1Transparency = v; });
    c.Color("BorderColor", [](TsStoredSkinItem &i, TColor v) { i.Skin.BorderColor = v; });
  });
}

TsStoredSkins::TsStoredSkins(TPersistent &owner) : TCollection(TsStoredSkinItem::StaticMetaClass(), &owner) {}

const TMetaClass &TsStoredSkins::StaticMetaClass() { return DefineClass<TsStoredSkins, TCollection>("TsStoredSkins"); }

std::vector<TsStoredSkin> TsStoredSkins::Skins() const {
  std::vector<TsStoredSkin> skins;
  skins.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i)
    skins.push_back(Items(i)->Skin);
  return skins;
}
