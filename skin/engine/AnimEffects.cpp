#include "skin/engine/AnimEffects.h"

#include "toolkit/base/MetaClass.h"

namespace {
TacBtnEvents buttonEventMask = AllBtnEvents;

const TIdentTable BtnEventNames = {{"beMouseEnter", 1 << beMouseEnter},
                                   {"beMouseLeave", 1 << beMouseLeave},
                                   {"beMouseDown", 1 << beMouseDown},
                                   {"beMouseUp", 1 << beMouseUp}};

template <class C> void DefineAnimationProperties(TClassBuilder<C> &c) {
  c.Bool("Active", [](C &a, bool v) { a.Active = v; });
  c.Int("Time", [](C &a, int v) { a.Time = static_cast<uint16_t>(v); });
}
} // namespace

TacBtnEvents ButtonEventMask() { return buttonEventMask; }
void SetButtonEventMask(TacBtnEvents events) { buttonEventMask = events & AllBtnEvents; }

TacBtnEvents TacBtnEffects::Events() const { return effects_.BelongsToDefaultManager() ? ButtonEventMask() : events_; }

void TacBtnEffects::SetEvents(TacBtnEvents events) {
  events_ = events & AllBtnEvents;
  if (effects_.BelongsToDefaultManager()) SetButtonEventMask(events_);
}

const TMetaClass &TacBtnEffects::StaticMetaClass() {
  return DefineClass<TacBtnEffects, TPersistent>("TacBtnEffects", [](TClassBuilder<TacBtnEffects> &c) {
    c.Set(
        "Events", [](TacBtnEffects &e, uint32_t v) { e.SetEvents(v); }, BtnEventNames);
  });
}

const TMetaClass &TacFormAnimation::StaticMetaClass() {
  return DefineClass<TacFormAnimation, TPersistent>("TacFormAnimation", DefineAnimationProperties<TacFormAnimation>);
}
const TMetaClass &TacDialogShow::StaticMetaClass() {
  return DefineClass<TacDialogShow, TacFormAnimation>("TacDialogShow");
}
const TMetaClass &TacFormShow::StaticMetaClass() { return DefineClass<TacFormShow, TacFormAnimation>("TacFormShow"); }
const TMetaClass &TacPageChange::StaticMetaClass() {
  return DefineClass<TacPageChange, TacFormAnimation>("TacPageChange");
}
const TMetaClass &TacSkinChanging::StaticMetaClass() {
  return DefineClass<TacSkinChanging, TacFormAnimation>("TacSkinChanging");
}

const TMetaClass &TacAnimEffects::StaticMetaClass() {
  return DefineClass<TacAnimEffects, TPersistent>("TacAnimEffects", [](TClassBuilder<TacAnimEffects> &c) {
    c.Object("Buttons", [](TacAnimEffects &e) -> TPersistent * { return &e.Buttons; });
    c.Object("DialogShow", [](TacAnimEffects &e) -> TPersistent * { return &e.DialogShow; });
    c.Object("FormShow", [](TacAnimEffects &e) -> TPersistent * { return &e.FormShow; });
    c.Object("PageChange", [](TacAnimEffects &e) -> TPersistent * { return &e.PageChange; });
    c.Object("SkinChanging", [](TacAnimEffects &e) -> TPersistent * { return &e.SkinChanging; });
  });
}
