#pragma once
// The skin viewer's form: the skinned frame with its title buttons and one of each skinned control — a
// label, an edit, a memo with more lines than it shows, buttons (normal, default, disabled) and progress
// bars (horizontal and vertical, smooth and in blocks).

#include <string>

#include "toolkit/ui/Forms.h"

// A new form of the application, not shown yet, with that caption. The skin controls must be registered
// (InitializeSkinControls).
TForm *CreatePreviewForm(const std::string &caption);
