#pragma once
// The manager's internal skins as its stored layout lists them: a collection whose items each carry
// one TsStoredSkin (usually its Name and the skin pack in Data).

#include <vector>

#include "skin/model/StoredSkin.h"
#include "toolkit/base/Component.h"

class TsStoredSkinItem : public TCollectionItem {
  TK_CLASS(TsStoredSkinItem)
public:
  explicit TsStoredSkinItem(TCollection *collection) : TCollectionItem(collection) {}
  TsStoredSkin Skin;
  void Assign(const TPersistent &source) override;
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
