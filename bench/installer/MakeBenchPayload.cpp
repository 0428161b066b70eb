// Writes a payload of the real program's sizes and compressibility for the installer benchmark:
//   bench_payload SEED FOLDER [PROGRAM]
// Each of the four files has the size of the shipped file and deflates at level 9 to within a fraction of a
// per cent of the shipped stream. Its bytes are executable-like code and data followed by a block of packed
// resources (random bytes) where the shipped file compresses worse, or of zero padding where it compresses
// better. With PROGRAM, Kelvora.exe begins with that program, so it runs, and carries the rest as its overlay.
// The same seed gives the same files.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bench/codec/SyntheticExecutable.h"
#include "installer/codec/ZlibCodec.h"

namespace {

struct ShippedFile {
  const char *name;
  size_t size;
  size_t storedSize;
};

constexpr ShippedFile kShipped[] = {
    {"Kelvora.exe", 1586688, 749562},
    {"KelvoraV3DLL.dll", 134656, 70955},
    {"iKeyAPI.dll", 91272, 37432},
    {"eKalit.dll", 30720, 14677},
};

std::vector<uint8_t> ReadFile(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path &path, const std::vector<uint8_t> &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

size_t StoredSize(const std::vector<uint8_t> &bytes) { return CompressBuffer(bytes).Size(); }

// head, then executable-like bytes, then `filler` bytes of the given kind, `size` bytes in all.
std::vector<uint8_t> Compose(const std::vector<uint8_t> &head, size_t size, size_t filler, bool randomFiller,
                             uint32_t seed) {
  std::vector<uint8_t> bytes(head);
  std::vector<uint8_t> body = SyntheticExecutable(size - head.size() - filler, seed);
  bytes.insert(bytes.end(), body.begin(), body.end());
  std::mt19937 random(seed ^ 0x9E3779B9u);
  for (size_t i = 0; i < filler; ++i)
    bytes.push_back(randomFiller ? static_cast<uint8_t>(random()) : 0);
  return bytes;
}

// The file whose stored size comes nearest the shipped one: the filler's length is found by bisection, since
// each filler byte moves the stored size the same way.
std::vector<uint8_t> MakeFile(const ShippedFile &shipped, const std::vector<uint8_t> &head, uint32_t seed) {
  if (head.size() > shipped.size) throw std::runtime_error(std::string("the program is larger than ") + shipped.name);
  const bool randomFiller = StoredSize(Compose(head, shipped.size, 0, false, seed)) < shipped.storedSize;
  size_t low = 0, high = shipped.size - head.size();
  while (high - low > 64) {
    const size_t middle = (low + high) / 2;
    const size_t stored = StoredSize(Compose(head, shipped.size, middle, randomFiller, seed));
    if ((stored < shipped.storedSize) == randomFiller)
      low = middle;
    else
      high = middle;
  }
  return Compose(head, shipped.size, low, randomFiller, seed);
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: bench_payload SEED FOLDER [PROGRAM]\n");
    return 2;
  }
  try {
    const uint32_t seed = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10));
    const std::filesystem::path folder = argv[2];
    std::filesystem::create_directories(folder);
    uint32_t fileSeed = seed;
    for (const ShippedFile &shipped : kShipped) {
      std::vector<uint8_t> head;
      if (argc == 4 && &shipped == &kShipped[0]) head = ReadFile(argv[3]);
      std::vector<uint8_t> bytes = MakeFile(shipped, head, fileSeed++);
      WriteFile(folder / shipped.name, bytes);
      std::printf("%-17s %8zu bytes, stored %7zu (shipped %7zu)\n", shipped.name, bytes.size(), StoredSize(bytes),
                  shipped.storedSize);
    }
  } catch (const std::exception &error) {
    std::fprintf(stderr, "bench_payload: %s\n", error.what());
    return 1;
  }
  return 0;
}
