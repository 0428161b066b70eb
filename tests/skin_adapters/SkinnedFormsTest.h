#pragma once
// What the tests of window adapters and skinned controls share: a skin manager with the internal skin,
// forms on the screen, what a window shows read back into an image, and the mouse.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/engine/SkinManager.h"
#include "skin/pixels/Image24.h"
#include "toolkit/ui/Forms.h"

class SkinnedFormsTest : public ::testing::Test {
protected:
  static void SetUpTestSuite();
  SkinnedFormsTest();
  ~SkinnedFormsTest() override;

  // Loads and announces the internal skin.
  void LoadSkin();
  // A form with that client size, shown at the left top of the screen.
  TForm *Form(int clientWidth, int clientHeight);

  std::unique_ptr<TsSkinManager> manager;
  std::vector<TForm *> forms;
};

// What the screen shows of the whole window, frame included.
Image24 ScreenOfWindow(HWND window);
// The window printed (WM_PRINT, frame and client) into an image of its size.
Image24 PrintOfWindow(HWND window);
// A rectangle of the screen in the window's own coordinates.
RECT InWindow(HWND window, RECT screen);
// The pixels of r are the same in both images.
bool SameArea(const Image24 &a, const Image24 &b, const RECT &r);
// How many pixels of r have the colour.
int CountColor(const Image24 &image, const RECT &r, TColor color);

// The mouse, as the user moves and presses it.
void MouseTo(POINT screen);
void LeftButton(bool down);
// Handles messages for that long.
void Pump(unsigned milliseconds);
