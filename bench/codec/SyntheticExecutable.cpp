#include "bench/codec/SyntheticExecutable.h"

#include <array>
#include <cstring>
#include <random>
#include <string_view>
#include <vector>

namespace {

class Builder {
public:
  explicit Builder(size_t size) : limit_(size) { bytes_.reserve(size); }

  bool Full() const { return bytes_.size() >= limit_; }
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Take() {
    bytes_.resize(limit_, 0);
    return std::move(bytes_);
  }

  void Byte(uint32_t b) { bytes_.push_back(static_cast<uint8_t>(b)); }
  void Word32(uint32_t w) {
    for (int i = 0; i < 4; ++i)
      Byte(w >> (8 * i));
  }
  void Text(std::string_view s, bool wide) {
    for (char c : s) {
      Byte(static_cast<uint8_t>(c));
      if (wide) Byte(0);
    }
  }
  void AlignWithZeros(size_t alignment) {
    while (bytes_.size() % alignment != 0)
      Byte(0);
  }

private:
  size_t limit_;
  std::vector<uint8_t> bytes_;
};

constexpr std::array<uint8_t, 24> kOpcodes = {0x8B, 0x89, 0x8D, 0xE8, 0xFF, 0x83, 0x85, 0x74, 0x75, 0x33, 0x50, 0x51,
                                              0x52, 0x53, 0x56, 0x57, 0x5E, 0x5F, 0xC3, 0x3B, 0x0F, 0x6A, 0x68, 0xEB};
constexpr std::array<std::string_view, 16> kWords = {
    "TForm1",        "Kelvora",  "Exception", "GetProcAddress", "Certificate", "Signature", "LoadLibraryA", "Error",
    "TMemoryStream", "Registry", "OnClick",   "Caption",        "Font.Name",   "Tahoma",    "Software\\",   "Key"};

// Compiled code repeats a limited stock of instruction sequences (prologues, epilogues, field accesses, call
// set-ups) with varying operands; the stock favours a few sequences, as compilers do.
void CodeSection(Builder &out, std::mt19937 &random, size_t end) {
  static const std::vector<std::vector<uint8_t>> idioms = [] {
    std::mt19937 idiomRandom(7);
    std::vector<std::vector<uint8_t>> stock(96);
    for (auto &idiom : stock) {
      idiom.resize(2 + idiomRandom() % 10);
      for (uint8_t &b : idiom)
        b = kOpcodes[idiomRandom() % kOpcodes.size()];
    }
    return stock;
  }();
  std::vector<uint32_t> targets(8192);
  for (uint32_t &t : targets)
    t = 0x00401000 + random() % 0x180000;
  std::geometric_distribution<size_t> idiom(0.03);
  std::uniform_int_distribution<size_t> target(0, targets.size() - 1);
  std::uniform_int_distribution<uint32_t> small(0, 15);
  while (out.Size() < end) {
    for (uint8_t b : idioms[idiom(random) % idioms.size()])
      out.Byte(b);
    switch (random() % 4) {
    case 0: // a call or a pushed address: a program uses a limited set of them
      out.Byte(0xE8);
      out.Word32(targets[target(random)]);
      break;
    case 1: // [ebp+disp8] with one of a few registers
      out.Byte(0x45 + 8 * (small(random) % 4));
      out.Byte(0x100 - 4 * (small(random) + 1));
      break;
    default: // a short jump or a small immediate
      out.Byte(small(random) * 3);
      break;
    }
  }
}

void DataSection(Builder &out, std::mt19937 &random, size_t end) {
  std::uniform_int_distribution<size_t> word(0, kWords.size() - 1);
  uint32_t address = 0x00401000;
  while (out.Size() < end) {
    switch (random() % 4) {
    case 0: // a table of method pointers
      for (int i = 0; i < 16; ++i)
        out.Word32(address += 4 * (1 + random() % 64));
      break;
    case 1: // numeric constants
      for (int i = 0; i < 8; ++i)
        out.Word32(random() % 1000);
      break;
    case 2:
      out.Text(kWords[word(random)], false);
      out.Byte(0);
      break;
    default:
      out.Text(kWords[word(random)], true);
      out.Byte(0);
      out.Byte(0);
      break;
    }
  }
}

} // namespace

std::vector<uint8_t> SyntheticExecutable(size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  Builder out(size);
  out.Text("MZ", false);
  out.AlignWithZeros(1024);
  while (!out.Full()) {
    CodeSection(out, random, out.Size() + 96 * 1024);
    out.AlignWithZeros(512);
    DataSection(out, random, out.Size() + 32 * 1024);
    out.AlignWithZeros(512);
  }
  return out.Take();
}
