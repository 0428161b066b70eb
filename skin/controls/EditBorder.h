#pragma once
// How wide the skinned frame of an edit is, and where its text starts inside it.

struct TsEditFrameStyle {
  bool BorderStyle = true; // a single border (not bsNone)
  bool Ctl3D = true;       // the three-dimensional look
  bool BevelKindSet = false;
  bool BevelInner = false; // an inner bevel other than bvNone
  bool BevelOuter = false;
};

// The border width that cuts the skin's frame: 1, plus 1 for the three-dimensional look, with a border
// style; without one, 1 for each bevel.
int EditFrameWidth(const TsEditFrameStyle &style);
// How far the text stands in from the edges: the border style's share (0 without one) plus one for each
// bevel when a bevel kind is set.
int EditTextInset(const TsEditFrameStyle &style);
