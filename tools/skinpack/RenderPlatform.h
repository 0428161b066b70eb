#pragma once
// What the skin renderer needs from the platform it runs on: images that text can be drawn into, a
// canvas for captions where the platform can draw text, and the folder the program lives in.

#include <filesystem>
#include <memory>

#include "skin/pixels/Image24.h"
#include "skin/pixels/TextCanvas.h"

// A zeroed image; on Windows held in a DIB section so that GDI can draw captions into it.
Image24 NewRenderImage(int width, int height);
// Whether this build can draw captions.
bool CanDrawText();
// A canvas over an image made by NewRenderImage, or null where text cannot be drawn.
std::unique_ptr<TsTextCanvas> TextCanvasFor(const Image24 &image);
std::filesystem::path ToolFolder();
