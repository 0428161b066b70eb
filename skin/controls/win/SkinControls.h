#pragma once
// Start-up of the skinned controls, once, before the first form is made: the frames and engine below them, then
// the control classes that stored layouts name.

void InitializeSkinControls();
