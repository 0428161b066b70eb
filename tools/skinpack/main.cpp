// skinpack: packs, unpacks, lists and validates skins (see SkinPackTool.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/skinpack/SkinPackTool.h"
#include "toolkit/base/Text.h"

#ifdef _WIN32
// Wide arguments, so file names outside the ANSI code page survive.
int wmain(int argc, wchar_t **argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i)
    args.push_back(text::Utf16ToUtf8(reinterpret_cast<const char16_t *>(argv[i])));
  return RunSkinPack(args, std::cout, std::cerr);
}
#else
int main(int argc, char **argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunSkinPack(args, std::cout, std::cerr);
}
#endif
