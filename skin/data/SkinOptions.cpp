#include "skin/data/SkinOptions.h"

#include "skin/data/SkinErrors.h"
#include "toolkit/base/Text.h"

namespace {
char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
} // namespace

size_t CaseFoldedHash::operator()(std::string_view s) const {
  size_t h = 14695981039346656037ull;
  for (char c : s)
    h = (h ^ static_cast<unsigned char>(FoldCase(c))) * 1099511628211ull;
  return h;
}

bool CaseFoldedEqual::operator()(std::string_view a, std::string_view b) const { return text::SameText(a, b); }

std::optional<std::string_view> SkinOptionsSection::Find(std::string_view key) const {
  auto it = index_.find(key);
  if (it == index_.end()) return std::nullopt;
  return std::string_view(keys_[it->second].Value);
}

void SkinOptionsSection::Add(std::string key, std::string value) {
  // The first of repeated keys is the one that counts; later ones are dropped.
  if (index_.try_emplace(key, keys_.size()).second) keys_.push_back(SkinOptionsKey{std::move(key), std::move(value)});
}

SkinOptions SkinOptions::FromCp1251(std::span<const uint8_t> text) {
  if (static_cast<int64_t>(text.size()) > MaxOptionsFileSize)
    throw ESkinError("The options file is too large (" + std::to_string(text.size()) + " bytes)");
  return FromUtf8(text::Cp1251ToUtf8(std::string_view(reinterpret_cast<const char *>(text.data()), text.size())));
}

SkinOptions SkinOptions::FromUtf8(std::string_view text) {
  SkinOptions options;
  SkinOptionsSection *current = nullptr;
  while (!text.empty()) {
    size_t end = text.find_first_of("\r\n");
    std::string line = text::Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &options.OpenSection(text::Trim(std::string_view(line).substr(1, line.size() - 2)));
      continue;
    }
    size_t equals = line.find('=');
    // Lines outside any section and lines without "=" carry nothing the skin reads.
    if (!current || equals == std::string::npos) continue;
    std::string key = text::Trim(std::string_view(line).substr(0, equals));
    if (!key.empty()) current->Add(std::move(key), text::Trim(std::string_view(line).substr(equals + 1)));
  }
  return options;
}

SkinOptionsSection &SkinOptions::OpenSection(std::string name) {
  auto [it, added] = index_.try_emplace(name, sections_.size());
  if (added) sections_.emplace_back(std::move(name));
  return sections_[it->second];
}

const SkinOptionsSection *SkinOptions::FindSection(std::string_view name) const {
  auto it = index_.find(name);
  return it == index_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::string_view> SkinOptions::Find(std::string_view section, std::string_view key) const {
  const SkinOptionsSection *s = FindSection(section);
  return s ? s->Find(key) : std::nullopt;
}

std::string SkinOptions::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  return std::string(Find(section, key).value_or(fallback));
}
