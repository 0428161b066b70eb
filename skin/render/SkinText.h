#pragma once
// Captions in a skin section's colours: the text colour of the state with its four contour colours drawn
// one pixel to the left, above, to the right and below first, and the muted colour of a disabled caption.
// Also shortening a caption to its room and the dotted focus frame.

#include <string>
#include <string_view>

#include "skin/render/ItemPainting.h"
#include "skin/pixels/TextCanvas.h"

// A control's caption: the canvas takes the control's font (underlined for an active "WEBBUTTON"), drawing
// is limited to r, and unless CustomFont the section's colours for the state (active: the hot ones) are
// used. Enabled captions are drawn without clipping to their rectangle (the limit to r still holds).
void WriteSkinText(TsTextCanvas &canvas, std::string_view text, bool enabled, bool active, const TsItemData &data,
                   uint32_t flags, TRect r);

// The same for a section given by index, in the canvas's current font, with the flags as given.
void WriteSkinTextByIndex(TsTextCanvas &canvas, std::string_view text, bool enabled, const TsSkin *skin, bool active,
                          int sectionIndex, uint32_t flags, TRect r);

// The text, or as much of it as fits width followed by "..."; empty when not even "..." fits.
std::string ShortenText(TsTextCanvas &canvas, std::string_view text, int width);

// A dotted focus frame: black dots every third pixel along r's edges, each with a white dot one pixel up
// and to the left.
void DrawFocusDots(Image24 &image, TRect r);
