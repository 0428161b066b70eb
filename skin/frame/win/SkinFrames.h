#pragma once
// Start-up of the skinned frames, once, before the first form is made: the layers below, then the frame
// classes that stored layouts name.

void InitializeSkinFrames();
