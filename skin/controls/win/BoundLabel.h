#pragma once
// The caption label that an edit-like control can place next to itself: while Active, a label owned by
// the control stands on the control's parent, beside or above the control as Layout says, and focuses
// the control on its accelerator.

#include <memory>
#include <string>

#include "skin/controls/BoundLabelPlacement.h"
#include "skin/controls/win/Label.h"
#include "skin/engine/win/FreeWatch.h"

// The label a bound label shows: a skinned label, whose caption takes the skin's font colour while
// UseSkinColor.
class TsEditLabel : public TsLabel {
  TK_CLASS(TsEditLabel)
public:
  explicit TsEditLabel(TComponent *owner) : TsLabel(owner) {}
};

class TsBoundLabel : public TPersistent {
  TK_CLASS(TsBoundLabel)
public:
  explicit TsBoundLabel(TControl &control);
  ~TsBoundLabel() override;
  TsBoundLabel(const TsBoundLabel &) = delete;
  TsBoundLabel &operator=(const TsBoundLabel &) = delete;

  bool Active() const { return label_ != nullptr; }
  void SetActive(bool value);
  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  int Indent() const { return indent_; }
  void SetIndent(int indent);
  TsCaptionLayout Layout() const { return layout_; }
  void SetLayout(TsCaptionLayout layout);
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int width);
  // The label's font, or the bound label's own while no label exists.
  TFont &Font();
  // Copied into the label (parent font off), which is placed again.
  void SetFont(const TFont &font);
  bool UseSkinColor() const { return label_ ? label_->UseSkinColor : true; }
  void SetUseSkinColor(bool value);

  TsEditLabel *Label() const { return label_; }
  // Puts a visible label at its place beside the control (the control calls it when it moves).
  void Place();

private:
  TControl &control_;
  TsEditLabel *label_ = nullptr;
  std::string caption_;
  int indent_ = 0;
  TsCaptionLayout layout_ = TsCaptionLayout::sclLeft;
  int maxWidth_ = 0;
  TFont font_;
  // Drops the label when its owner frees it first.
  TsFreeWatch watch_{[this](TComponent *freed) {
    if (freed == label_) label_ = nullptr;
  }};
};
