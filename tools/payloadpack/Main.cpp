// payloadpack SOURCE_FOLDER [TARGET_FOLDER]
// Packs Kelvora.exe, KelvoraV3DLL.dll, eKalit.dll and iKeyAPI.dll of SOURCE_FOLDER into the zlib streams
// Kelvora.zip, KelvoraV3DLL.zip, eKalit.zip and iKeyAPI.zip in TARGET_FOLDER (by default SOURCE_FOLDER).

#include <cstdio>
#include <string>
#include <vector>

#include "installer/payload/PackPayload.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/base/Text.h"
#include "tools/payloadpack/ReplaceFile.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string WithTrailingSeparator(std::string folder) {
  if (!folder.ends_with(kSeparator) && !folder.ends_with('/')) folder += kSeparator;
  return folder;
}

int Run(const std::vector<std::string> &args) {
  if (args.size() < 2 || args.size() > 3 || args[1].empty() || (args.size() == 3 && args[2].empty())) {
    std::fprintf(stderr, "usage: payloadpack SOURCE_FOLDER [TARGET_FOLDER]\n");
    return 2;
  }
  const std::string source = WithTrailingSeparator(args[1]);
  const std::string target = args.size() == 3 ? WithTrailingSeparator(args[2]) : source;
  try {
    PackPayload(source, target, ReplaceFile);
  } catch (const Exception &error) {
    std::fprintf(stderr, "payloadpack: %s\n", error.Message().c_str());
    return 1;
  }
  return 0;
}

} // namespace

#ifdef _WIN32
// The wide entry point keeps folder names outside the ANSI code page intact.
int wmain(int argc, wchar_t **argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i)
    args.push_back(text::Utf16ToUtf8(reinterpret_cast<const char16_t *>(argv[i])));
  return Run(args);
}
#else
int main(int argc, char **argv) { return Run(std::vector<std::string>(argv, argv + argc)); }
#endif
