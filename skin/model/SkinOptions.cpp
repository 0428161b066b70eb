#include "skin/model/SkinOptions.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "skin/model/SkinErrors.h"
#include "toolkit/base/Decimal.h"
#include "toolkit/base/Text.h"

namespace {

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view TrimView(std::string_view s) {
  size_t begin = 0, end = s.size();
  while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ')
    ++begin;
  while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ')
    --end;
  return s.substr(begin, end - begin);
}

} // namespace

size_t CaseFoldedHash::operator()(std::string_view s) const {
  // 64-bit FNV-1a in both widths; a 32-bit size_t keeps the low half.
  uint64_t h = 14695981039346656037ull;
  for (char c : s)
    h = (h ^ static_cast<unsigned char>(FoldCase(c))) * 1099511628211ull;
  return static_cast<size_t>(h);
}

bool CaseFoldedEqual::operator()(std::string_view a, std::string_view b) const { return text::SameText(a, b); }

std::optional<std::string_view> SkinOptionsSection::Find(std::string_view key) const {
  for (const auto &entry : keys_)
    if (entry.Key.size() == key.size() && text::SameText(entry.Key, key)) return entry.Value;
  return std::nullopt;
}

void SkinOptionsSection::Add(std::string_view key, std::string_view value) { keys_.push_back({key, value}); }

void SkinOptionsSection::RemoveRepeatedKeys() {
  constexpr size_t smallSection = 32;
  if (keys_.size() <= smallSection) {
    size_t kept = 0;
    for (size_t i = 0; i < keys_.size(); ++i) {
      bool repeat = false;
      for (size_t j = 0; j < kept && !repeat; ++j)
        repeat = text::SameText(keys_[j].Key, keys_[i].Key);
      if (!repeat) keys_[kept++] = keys_[i];
    }
    keys_.resize(kept);
    return;
  }
  // Sorting positions by key finds repeats without a quadratic search in large sections.
  std::vector<size_t> order(keys_.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  auto less = [&](size_t a, size_t b) { return text::CompareText(keys_[a].Key, keys_[b].Key) < 0; };
  std::stable_sort(order.begin(), order.end(), less);
  std::vector<bool> repeated(keys_.size(), false);
  for (size_t i = 1; i < order.size(); ++i)
    if (!less(order[i - 1], order[i])) repeated[order[i]] = true;
  size_t kept = 0;
  for (size_t i = 0; i < keys_.size(); ++i)
    if (!repeated[i]) keys_[kept++] = keys_[i];
  keys_.resize(kept);
}

SkinOptions SkinOptions::FromCp1251(std::span<const uint8_t> text) {
  if (static_cast<int64_t>(text.size()) > MaxOptionsFileSize)
    throw ESkinError("The options file is too large (" + std::to_string(text.size()) + " bytes)");
  SkinOptions options;
  options.text_ = std::make_unique<std::string>(
      text::Cp1251ToUtf8(std::string_view(reinterpret_cast<const char *>(text.data()), text.size())));
  options.Parse();
  return options;
}

SkinOptions SkinOptions::FromUtf8(std::string_view text) {
  SkinOptions options;
  options.text_ = std::make_unique<std::string>(text);
  options.Parse();
  return options;
}

void SkinOptions::Parse() {
  std::string_view text = *text_;
  SkinOptionsSection *current = nullptr;
  while (!text.empty()) {
    size_t end = 0;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
      ++end;
    std::string_view line = TrimView(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      std::string_view name = TrimView(line.substr(1, line.size() - 2));
      auto [it, added] = index_.try_emplace(name, sections_.size());
      if (added) sections_.emplace_back(name);
      current = &sections_[it->second];
      continue;
    }
    size_t equals = line.find('=');
    // Lines outside any section and lines without "=" carry nothing the skin reads.
    if (!current || equals == std::string_view::npos) continue;
    std::string_view key = TrimView(line.substr(0, equals));
    if (!key.empty()) current->Add(key, TrimView(line.substr(equals + 1)));
  }
  // The first of repeated keys is the one that counts; later ones are dropped.
  for (auto &section : sections_)
    section.RemoveRepeatedKeys();
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

std::optional<int> ReadOptionInteger(std::string_view text) {
  // Plain decimal numbers, by far the most common, are read directly.
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc() && end == text.data() + text.size()) return value;
  // Hexadecimal, signs, blanks and overflow: an unlikely fallback first, a second reading only if it comes back.
  constexpr int unlikely = std::numeric_limits<int>::min() + 7;
  value = text::StrToIntDef(text, unlikely);
  if (value == unlikely && text::StrToIntDef(text, 0) != unlikely) return std::nullopt;
  return value;
}

double ReadOptionReal(std::string_view text) { return text::ParseDecimal(TrimView(text)).value_or(0); }

bool ReadOptionBoolean(std::string_view text) { return text::UpperCase(text) == "TRUE"; }
