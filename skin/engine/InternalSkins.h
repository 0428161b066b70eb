#pragma once
// The manager's internal skins as its stored layout lists them: a collection whose items each carry
// one TsStoredSkin, usually its Name and the skin pack in Data; a skin without Data lists its sections,
// pictures and patterns as collections and its master bitmap as a picture instead.

#include <vector>

#include "skin/model/StoredSkin.h"
#include "toolkit/base/Component.h"

// An item of a stored skin's collection that holds one record of type T.
template <class T> class TsStoredRecordItem : public TCollectionItem {
public:
  explicit TsStoredRecordItem(TCollection *collection) : TCollectionItem(collection) {}
  T Record;
};

class TsSkinGeneralItem : public TsStoredRecordItem<TsSkinGeneral> {
  TK_CLASS(TsSkinGeneralItem)
public:
  using TsStoredRecordItem::TsStoredRecordItem;
};

class TsSkinImageItem : public TsStoredRecordItem<TsSkinImage> {
  TK_CLASS(TsSkinImageItem)
public:
  using TsStoredRecordItem::TsStoredRecordItem;
};

class TsSkinPatternItem : public TsStoredRecordItem<TsSkinPattern> {
  TK_CLASS(TsSkinPatternItem)
public:
  using TsStoredRecordItem::TsStoredRecordItem;
};

class TsStoredSkinItem : public TCollectionItem {
  TK_CLASS(TsStoredSkinItem)
public:
  explicit TsStoredSkinItem(TCollection *collection);
  TsStoredSkin Skin;
  // What a layout lists; the records are added after those already in Skin.
  TCollection GeneralData;
  TCollection Images;
  TCollection Patterns;
  void Assign(const TPersistent &source) override;
  // Skin with the records of the collections.
  TsStoredSkin Stored() const;
};

class TsStoredSkins : public TCollection {
  TK_CLASS(TsStoredSkins)
public:
  explicit TsStoredSkins(TPersistent &owner);
  TsStoredSkinItem *Items(int index) const { return static_cast<TsStoredSkinItem *>(TCollection::Items(index)); }
  TsStoredSkinItem *Add() { return TCollection::Add<TsStoredSkinItem>(); }
  // Copies of the skins in collection order, as the loader takes them.
  std::vector<TsStoredSkin> Skins() const;
};
