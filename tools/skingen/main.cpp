// skingen: draws the BlueGauze skin (Options.dat, Master.bmp, ButtonHuge.bmp) into a folder, or with
// --check tells whether the folder holds exactly what the generator draws.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/pixels/BitmapWriter.h"
#include "tools/skingen/BlueGauzeOptions.h"
#include "tools/skingen/Pictures.h"

namespace {

struct Member {
  std::string name;
  std::vector<uint8_t> bytes;
};

std::vector<Member> Generate() {
  const skingen::SkinPictures pictures = skingen::DrawPictures();
  const std::string options = skingen::BlueGauzeOptions(pictures.atlas).Text();
  return {{"Options.dat", std::vector<uint8_t>(options.begin(), options.end())},
          {"Master.bmp", WriteBitmap8(pictures.master)},
          {"ButtonHuge.bmp", WriteBitmap8(pictures.buttonHuge)}};
}

std::vector<uint8_t> ReadAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char **argv) {
  const bool check = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: skingen FOLDER | skingen --check FOLDER\n");
    return 2;
  }
  const std::string folder = argv[argc - 1];
  try {
    int stale = 0;
    for (const Member &m : Generate()) {
      const std::string path = folder + "/" + m.name;
      if (check) {
        if (ReadAll(path) != m.bytes) {
          std::fprintf(stderr, "%s differs from what skingen draws; run skingen %s\n", path.c_str(), folder.c_str());
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
