#include "skin/frame/win/TitleButtons.h"

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Stream.h"

const TMetaClass &TsTitleButton::StaticMetaClass() {
  return DefineClass<TsTitleButton, TCollectionItem>("TsTitleButton", [](TClassBuilder<TsTitleButton> &c) {
    c.Bool("Enabled", &TsTitleButton::SetEnabled);
    c.Binary("Glyph", &TsTitleButton::LoadGlyph); // the bytes of a BMP file
    c.String("Name", &TsTitleButton::SetName);
    c.Bool("UseSkinData", &TsTitleButton::SetUseSkinData);
  });
}

TsTitleButton::TsTitleButton(TCollection *collection) : TCollectionItem(collection), name_("TsTitleButton") {}

void TsTitleButton::LoadGlyph(const std::vector<uint8_t> &bitmapFile) {
  TBytesStream stream(bitmapFile.data(), bitmapFile.size());
  glyph_.LoadFromStream(stream);
}

void TsTitleButton::Assign(const TPersistent &source) {
  auto *other = dynamic_cast<const TsTitleButton *>(&source);
  if (!other) return TCollectionItem::Assign(source);
  enabled_ = other->enabled_;
  glyph_.Assign(other->glyph_);
  name_ = other->name_;
  useSkinData_ = other->useSkinData_;
  OnMouseDown = other->OnMouseDown;
  OnMouseUp = other->OnMouseUp;
}

const TMetaClass &TsTitleButtons::StaticMetaClass() {
  return DefineClass<TsTitleButtons, TCollection>("TsTitleButtons");
}

TsTitleButtons::TsTitleButtons(TPersistent &owner) : TCollection(TsTitleButton::StaticMetaClass(), &owner) {}
