// skingen: draws the BlueGauze skin (Options.dat, Master.bmp, ButtonHuge.bmp) into a folder and, when a
// second folder is named, the default edit-button glyphs into that one; with --check it tells whether the
// folders hold exactly what the generator draws.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/pixels/BitmapWriter.h"
#include "tools/skingen/BlueGauzeOptions.h"
#include "tools/skingen/ButtonGlyphs.h"
#include "tools/skingen/Pictures.h"

namespace {

struct Member {
  std::string path;
  std::vector<uint8_t> bytes;
};

std::vector<Member> Generate(const std::string &skinFolder, const std::string &glyphFolder) {
  const skingen::SkinPictures pictures = skingen::DrawPictures();
  const std::string options = skingen::BlueGauzeOptions(pictures.atlas).Text();
  std::vector<Member> members = {{skinFolder + "/Options.dat", std::vector<uint8_t>(options.begin(), options.end())},
                                 {skinFolder + "/Master.bmp", WriteBitmap8(pictures.master)},
                                 {skinFolder + "/ButtonHuge.bmp", WriteBitmap8(pictures.buttonHuge)}};
  if (!glyphFolder.empty())
    for (const skingen::ButtonGlyph &glyph : skingen::DrawButtonGlyphs())
      members.push_back({glyphFolder + "/" + glyph.fileName, WriteBitmap24(glyph.picture)});
  return members;
}

std::vector<uint8_t> ReadAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char **argv) {
  const bool check = argc > 1 && std::string(argv[1]) == "--check";
  const int folders = argc - 1 - (check ? 1 : 0);
  if (folders < 1 || folders > 2) {
    std::fprintf(stderr, "usage: skingen [--check] SKIN_FOLDER [GLYPH_FOLDER]\n");
    return 2;
  }
  const std::string skinFolder = argv[argc - folders];
  const std::string glyphFolder = folders == 2 ? argv[argc - 1] : "";
  try {
    int stale = 0;
    for (const Member &m : Generate(skinFolder, glyphFolder)) {
      const std::string &path = m.path;
      if (check) {
        if (ReadAll(path) != m.bytes) {
          std::fprintf(stderr, "%s differs from what skingen draws; run skingen with its folders\n", path.c_str());
          ++stale;
        }
        continue;
      }
      std::ofstream out(path, std::ios::binary);
      out.write(reinterpret_cast<const char *>(m.bytes.data()), std::streamsize(m.bytes.size()));
      if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
      }
    }
    return stale == 0 ? 0 : 1;
  } catch (const std::exception &e) {
    std::fprintf(stderr, "skingen: %s\n", e.what());
    return 1;
  }
}
