#pragma once
// The install sequence behind the install button: probe the token drivers, create the target folder, write
// the program, its library, the drivers and the scripts, place the Send To shortcut, start the registration.

#include <string>

#include "installer/host/Host.h"
#include "installer/logic/InstallerUi.h"

enum class InstallOutcome {
  Completed,
  CompletedWithErrors, // a library could not be written; the run went on
  Failed,              // an error ended the run; the window stays open
  Declined,            // the user chose not to continue after an error; the exit timer ends the application
};

// "<folder>\" unless the folder already ends in a backslash.
std::string WithTrailingBackslash(std::string folder);

// Runs one install. A failed driver probe raises Exception before anything else happens; every other
// failure is handled inside and shows in the outcome.
InstallOutcome RunInstallSequence(Host &host, InstallerUi &ui);
