#pragma once
// Start-up of the skin engine, once, before the first form is made: the skin command message, the
// Windows side of skin managers, the skin-change animation, the live system colours and the engine's
// classes that stored layouts name. The layers above have start-ups of their own that call this one.

void InitializeSkinEngine();
