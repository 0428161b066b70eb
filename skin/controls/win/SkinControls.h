#pragma once
// Start-up of the skinned controls, once, before the first form is made: the skin engine below them, then
// the control classes that stored layouts name.

void InitializeSkinControls();
