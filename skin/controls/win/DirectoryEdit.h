#pragma once
// The folder edit: a skinned edit for a folder path whose button (or Alt+Down) opens a folder browser
// starting at the folder in the text (or InitialDir while the text is empty); the folder chosen there
// becomes the text and the next InitialDir. While skinned the browser is the skinned "Select directory"
// dialog, otherwise the system's folder browser. TsFileDirEdit is the base of edits for file-system names.

#include <string>

#include "skin/controls/win/ComboEdit.h"

class TsFileDirEdit : public TsCustomComboEdit {
  TK_CLASS(TsFileDirEdit)
public:
  explicit TsFileDirEdit(TComponent *owner);
  // Raised after names were dropped on the edit.
  TNotifyEvent OnDropFiles;
};

enum TSelectDirOpt : uint32_t { sdAllowCreate = 1, sdPerformCreate = 2, sdPrompt = 4 };
using TSelectDirOpts = uint32_t;

class TsDirectoryEdit : public TsFileDirEdit {
  TK_CLASS(TsDirectoryEdit)
public:
  explicit TsDirectoryEdit(TComponent *owner);

  // The folder offered while the text is empty; every folder chosen becomes it.
  std::string InitialDir;
  // sdAllowCreate shows the dialog's Create button.
  TSelectDirOpts DialogOptions = sdAllowCreate | sdPerformCreate | sdPrompt;
  // The text holds several folders separated by ";" (the system's browser adds to it).
  bool MultipleDirs = false;
  // Pressing the button leaves the process's current folder alone.
  bool NoChangeDir = false;
  // The root of the browser's folder tree: a root folder name ("rfDesktop") or a path.
  std::string Root = "rfDesktop";

  void ButtonClick() override;

private:
  // The folder to start at: the text, else InitialDir; empty unless it is an existing folder.
  std::string StartFolder() const;
  void BrowseSkinned(const std::string &start);
  void BrowseWithSystem(const std::string &start);
};
