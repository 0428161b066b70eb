#pragma once
// What a shell link on disk points at, read back through the shell's own link object.

#include <windows.h>

#include <objbase.h>
#include <shobjidl.h>

#include <filesystem>
#include <string>

#include "tests/support/Paths.h"

struct ShellLinkContents {
  std::string target; // the path the link starts
  std::string arguments;
};

// The target and arguments of the link file (UTF-8); empty texts when it cannot be loaded. Needs COM
// initialised for the calling thread.
inline ShellLinkContents ReadShellLink(const std::filesystem::path &link) {
  IShellLinkW *shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void **>(&shellLink))))
    return {};
  IPersistFile *file = nullptr;
  shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file));
  ShellLinkContents result;
  if (file && SUCCEEDED(file->Load(link.wstring().c_str(), STGM_READ))) {
    wchar_t path[MAX_PATH] = {}, arguments[MAX_PATH] = {};
    shellLink->GetPath(path, MAX_PATH, nullptr, 0);
    shellLink->GetArguments(arguments, MAX_PATH);
    result = {paths::Utf8(std::filesystem::path(path)), paths::Utf8(std::filesystem::path(arguments))};
  }
  if (file) file->Release();
  shellLink->Release();
  return result;
}
