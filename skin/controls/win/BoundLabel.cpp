#include "skin/controls/win/BoundLabel.h"

#include <utility>

#include "toolkit/base/MetaClass.h"

namespace {
TAlignment AlignmentOf(TsCaptionLayout layout) {
  switch (BoundLabelAlignment(layout)) {
  case TsLabelAlignment::Left: return TAlignment::taLeftJustify;
  case TsLabelAlignment::Center: return TAlignment::taCenter;
  default: return TAlignment::taRightJustify;
  }
}
} // namespace

const TMetaClass &TsEditLabel::StaticMetaClass() { return DefineClass<TsEditLabel, TsLabel>("TsEditLabel"); }

const TMetaClass &TsBoundLabel::StaticMetaClass() {
  return DefineClass<TsBoundLabel, TPersistent>("TsBoundLabel", [](TClassBuilder<TsBoundLabel> &c) {
    c.Bool("Active", &TsBoundLabel::SetActive);
    c.String("Caption", &TsBoundLabel::SetCaption);
    c.Int("Indent", &TsBoundLabel::SetIndent);
    c.Object("Font", [](TsBoundLabel &b) -> TPersistent * { return &b.Font(); });
    c.Enum<TsCaptionLayout>("Layout", &TsBoundLabel::SetLayout,
                            {{"sclLeft", int(TsCaptionLayout::sclLeft)},
                             {"sclTopLeft", int(TsCaptionLayout::sclTopLeft)},
                             {"sclTopCenter", int(TsCaptionLayout::sclTopCenter)},
                             {"sclTopRight", int(TsCaptionLayout::sclTopRight)}});
    c.Int("MaxWidth", &TsBoundLabel::SetMaxWidth);
    c.Bool("UseSkinColor", &TsBoundLabel::SetUseSkinColor);
  });
}

TsBoundLabel::TsBoundLabel(TControl &control) : control_(control) {}

TsBoundLabel::~TsBoundLabel() { SetActive(false); }

void TsBoundLabel::SetActive(bool value) {
  if (value == Active()) return;
  if (!value) {
    font_.Assign(label_->Font());
    TsEditLabel *label = std::exchange(label_, nullptr);
    watch_.Unwatch(label);
    if (!label->IsDestroying()) label->Free();
    return;
  }
  label_ = TComponent::Create<TsEditLabel>(&control_);
  watch_.Watch(label_);
  label_->Hide();
  label_->SetParentFont(false);
  label_->Font().Assign(font_);
  label_->SetParent(control_.Parent());
  label_->SetFocusControl(dynamic_cast<TWinControl *>(&control_));
  label_->SetAlignment(AlignmentOf(layout_));
  if (!control_.Name().empty()) label_->SetName(control_.Name() + "Label");
  label_->SetCaption(caption_.empty() ? control_.Name() : caption_);
  label_->SetEnabled(control_.Enabled());
  label_->SetVisible(control_.Visible());
  Place();
}

void TsBoundLabel::SetCaption(const std::string &caption) {
  caption_ = caption;
  if (label_) label_->SetCaption(caption_.empty() ? control_.Name() : caption_);
  Place();
}

void TsBoundLabel::SetIndent(int indent) {
  indent_ = indent;
  Place();
}

void TsBoundLabel::SetLayout(TsCaptionLayout layout) {
  layout_ = layout;
  if (label_) label_->SetAlignment(AlignmentOf(layout_));
  Place();
}

void TsBoundLabel::SetMaxWidth(int width) {
  maxWidth_ = width;
  Place();
}

TFont &TsBoundLabel::Font() { return label_ ? label_->Font() : font_; }

void TsBoundLabel::SetFont(const TFont &font) {
  font_.Assign(font);
  if (!label_) return;
  label_->SetParentFont(false);
  label_->Font().Assign(font);
  Place();
}

void TsBoundLabel::SetUseSkinColor(bool value) {
  if (label_) label_->UseSkinColor = value;
}

void TsBoundLabel::Place() {
  if (!label_ || !label_->Visible()) return;
  label_->SetWordWrap(false);
  label_->SetAutoSize(true);
  label_->AdjustBounds();
  const RECT c = control_.BoundsRect();
  const BoundLabelPlace place = PlaceBoundLabel(layout_, TRect{c.left, c.top, c.right, c.bottom}, label_->Width(),
                                                label_->Height(), indent_, maxWidth_);
  label_->SetAutoSize(place.AutoSize);
  label_->SetWordWrap(place.WordWrap);
  label_->SetBounds(place.Bounds.Left, place.Bounds.Top, place.Bounds.Width(), place.Bounds.Height());
}
