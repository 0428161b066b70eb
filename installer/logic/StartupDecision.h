#pragma once
// What the installer does when its window is first shown: a silent install for a token argument, an offer to
// remove an earlier installation when started without arguments, otherwise nothing.

#include <optional>

#include "installer/host/Host.h"
#include "installer/logic/InstallSequence.h"
#include "installer/logic/InstallerUi.h"

enum class StartupOutcome {
  LeftToUser,    // the window stays for the user
  SilentInstall, // a token argument ran the install sequence
  Removed,       // the earlier installation was removed; the application ends
  Cancelled,     // the user cancelled the question; the application ends
};

struct StartupResult {
  StartupOutcome outcome = StartupOutcome::LeftToUser;
  std::optional<InstallOutcome> install; // set for a silent install that got past the driver probe
};

// True for "iKey", "eKalit" and "iKey_eKalit", matched exactly (case included).
bool IsTokenArgument(const std::string &argument);

// A failed driver probe of a silent install raises Exception, as the install button does.
StartupResult RunStartupDecision(Host &host, InstallerUi &ui);
