#pragma once
// Start-up of the skinned dialogs, once, before the first form is made: the layers below, then the dialog
// hook handed to the skin managers, which install it once a skin is applied.

void InitializeSkinDialogs();
