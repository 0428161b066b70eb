#pragma once
// The options file in memory: INI sections of "key=value" lines. The text arrives in Windows-1251 and is
// kept as UTF-8. Section names and keys are found without regard to case, but kept as written; sections
// and keys keep their file order, which decides the order of the skin's records.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Largest options file accepted (the internal skin's is 17 KB).
constexpr int64_t MaxOptionsFileSize = 16ll * 1024 * 1024;

// Hashing and comparing names with ASCII case folded, so look-ups need no upper-cased copies.
struct CaseFoldedHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const;
};
struct CaseFoldedEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};
template <typename T> using CaseFoldedMap = std::unordered_map<std::string_view, T, CaseFoldedHash, CaseFoldedEqual>;

// Views into the text that the SkinOptions holding them owns.
struct SkinOptionsKey {
  std::string_view Key;
  std::string_view Value;
};

class SkinOptionsSection {
public:
  explicit SkinOptionsSection(std::string_view name) : name_(name) {}
  std::string Name() const { return std::string(name_); }
  std::string_view NameView() const { return name_; }
  // File order; of a repeated key only the first stays.
  const std::vector<SkinOptionsKey> &Keys() const { return keys_; }
  std::optional<std::string_view> Find(std::string_view key) const;
  void Add(std::string_view key, std::string_view value);
  void RemoveRepeatedKeys();

private:
  std::string_view name_;
  std::vector<SkinOptionsKey> keys_;
};

class SkinOptions {
public:
  SkinOptions() = default;
  // Reads Windows-1251 text; raises ESkinError when it is larger than MaxOptionsFileSize.
  static SkinOptions FromCp1251(std::span<const uint8_t> text);
  // Reads text that is already UTF-8 (lines added by the application, tests).
  static SkinOptions FromUtf8(std::string_view text);

  // Sections in file order; a section that appears twice is one section, at its first place.
  const std::vector<SkinOptionsSection> &Sections() const { return sections_; }
  const SkinOptionsSection *FindSection(std::string_view name) const;
  // The value of key in section, or none when either is absent.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;

private:
  void Parse();

  // On the heap, so the views stay valid when the options are moved.
  std::unique_ptr<std::string> text_;
  std::vector<SkinOptionsSection> sections_;
  CaseFoldedMap<size_t> index_;
};

// Value readings of the options file: an integer ("0x" hexadecimal allowed) or none; a real with "." as
// the decimal separator, 0 when it is none; a boolean, true only for "TRUE" in any case.
std::optional<int> ReadOptionInteger(std::string_view text);
double ReadOptionReal(std::string_view text);
bool ReadOptionBoolean(std::string_view text);
