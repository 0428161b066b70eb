#pragma once
// Start-up of the skin engine, once, before the first form is made: the skin command message, the
// Windows side of skin managers, the skin-change animation, the live system colours and the classes that
// stored layouts name.

void InitializeSkinEngine();
