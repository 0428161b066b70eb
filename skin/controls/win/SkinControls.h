#pragma once
// Start-up of the skinned controls, once, before the first form is made: the frames and engine below them, then
// the control classes that stored layouts name, and the default glyphs of edit buttons from the program's
// bitmap resources.

void InitializeSkinControls();
