#include "toolkit/base/Layout.h"

#include <limits>

namespace {

// Deep nesting only comes from broken or hostile input; the parser recurses per level.
constexpr int kMaxDepth = 64;

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Parser {
public:
  explicit Parser(std::string_view text) : s_(text) {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  }

  LayoutObject Root() {
    LayoutObject root = Object(0);
    SkipBlanks();
    if (pos_ < s_.size()) Fail("text after the root object");
    return root;
  }

private:
  [[noreturn]] void Fail(const std::string &message) const { throw ELayoutError(line_, message); }

  void SkipBlanks() {
    while (pos_ < s_.size()) {
      char c = s_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
        while (pos_ < s_.size() && s_[pos_] != '\n')
          ++pos_;
      } else {
        break;
      }
    }
  }

  bool Peek(char c) {
    SkipBlanks();
    return pos_ < s_.size() && s_[pos_] == c;
  }

  bool Accept(char c) {
    if (!Peek(c)) return false;
    ++pos_;
    return true;
  }

  void Expect(char c) {
    if (!Accept(c)) Fail(std::string("'") + c + "' expected");
  }

  bool PeekIdent() {
    SkipBlanks();
    return pos_ < s_.size() && IsIdentStart(s_[pos_]);
  }

  std::string Ident() {
    if (!PeekIdent()) Fail("name expected");
    size_t begin = pos_;
    while (pos_ < s_.size() && IsIdentChar(s_[pos_]))
      ++pos_;
    return std::string(s_.substr(begin, pos_ - begin));
  }

  // A keyword is a whole word: "objects" is a name, not the keyword "object".
  bool PeekKeyword(std::string_view word) {
    SkipBlanks();
    if (s_.substr(pos_, word.size()) != word) return false;
    size_t after = pos_ + word.size();
    return after >= s_.size() || !IsIdentChar(s_[after]);
  }

  bool AcceptKeyword(std::string_view word) {
    if (!PeekKeyword(word)) return false;
    pos_ += word.size();
    return true;
  }

  LayoutObject Object(int depth) {
    if (depth > kMaxDepth) Fail("objects nested too deeply");
    if (!AcceptKeyword("object")) Fail("'object' expected");
    LayoutObject object;
    object.line = line_;
    object.name = Ident();
    Expect(':');
    object.className = Ident();
    Expect('{');
    while (!Accept('}')) {
      if (pos_ >= s_.size()) Fail("'}' expected");
      if (PeekKeyword("object")) {
        object.children.push_back(Object(depth + 1));
      } else {
        if (!object.children.empty()) Fail("properties must come before the objects they enclose");
        object.properties.push_back(Property(depth));
      }
    }
    return object;
  }

  LayoutProperty Property(int depth) {
    LayoutProperty property;
    property.line = line_;
    property.path = Ident();
    while (Accept('.')) {
      property.path += '.';
      property.path += Ident();
    }
    Expect('=');
    property.value = Value(depth);
    return property;
  }

  LayoutValue Value(int depth) {
    SkipBlanks();
    LayoutValue value;
    value.line = line_;
    if (pos_ >= s_.size()) Fail("value expected");
    char c = s_[pos_];
    if (c == '"') {
      value.kind = LayoutValue::Kind::String;
      value.text = String();
    } else if (c == '-' || c == '+' || IsDigit(c)) {
      value.kind = LayoutValue::Kind::Integer;
      value.integer = Integer();
    } else if (c == '[') {
      ++pos_;
      value.kind = LayoutValue::Kind::Set;
      if (!Accept(']')) {
        do
          value.items.push_back(Ident());
        while (Accept(','));
        Expect(']');
      }
    } else if (c == '(') {
      ++pos_;
      value.kind = LayoutValue::Kind::List;
      if (!Accept(')')) {
        do {
          SkipBlanks();
          if (!Peek('"')) Fail("string expected");
          value.items.push_back(String());
        } while (Accept(','));
        Expect(')');
      }
    } else if (AcceptKeyword("hex")) {
      value.kind = LayoutValue::Kind::Binary;
      value.bytes = Hex();
    } else if (AcceptKeyword("collection")) {
      value.kind = LayoutValue::Kind::Collection;
      Expect('{');
      while (!Accept('}')) {
        if (!AcceptKeyword("item")) Fail("'item' expected");
        LayoutItem item;
        item.line = line_;
        Expect('{');
        while (!Accept('}')) {
          if (pos_ >= s_.size()) Fail("'}' expected");
          item.properties.push_back(Property(depth + 1));
        }
        value.collection.push_back(std::move(item));
      }
    } else if (IsIdentStart(c)) {
      value.kind = LayoutValue::Kind::Identifier;
      value.text = Ident();
    } else {
      Fail(std::string("unexpected character '") + c + "'");
    }
    return value;
  }

  std::string String() {
    ++pos_; // opening quote
    std::string out;
    while (true) {
      if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated string");
      char c = s_[pos_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= s_.size()) Fail("unterminated string");
      char e = s_[pos_++];
      switch (e) {
      case '"': out += '"'; break;
      case '\\': out += '\\'; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      default: Fail(std::string("unknown escape \\") + e);
      }
    }
  }

  int64_t Integer() {
    bool negative = s_[pos_] == '-';
    if (s_[pos_] == '-' || s_[pos_] == '+') ++pos_;
    int base = 10;
    if (pos_ + 1 < s_.size() && s_[pos_] == '0' && (s_[pos_ + 1] == 'x' || s_[pos_ + 1] == 'X')) {
      base = 16;
      pos_ += 2;
    }
    size_t begin = pos_;
    int64_t value = 0;
    for (int d; pos_ < s_.size() && (d = HexDigit(s_[pos_])) >= 0 && d < base; ++pos_) {
      if (value > (std::numeric_limits<int64_t>::max() - d) / base) Fail("number out of range");
      value = value * base + d;
    }
    if (pos_ == begin || (pos_ < s_.size() && IsIdentChar(s_[pos_]))) Fail("malformed number");
    return negative ? -value : value;
  }

  std::vector<uint8_t> Hex() {
    Expect('{');
    std::vector<uint8_t> bytes;
    int high = -1;
    while (true) {
      SkipBlanks();
      if (pos_ >= s_.size()) Fail("'}' expected");
      char c = s_[pos_++];
      if (c == '}') break;
      int d = HexDigit(c);
      if (d < 0) Fail(std::string("hexadecimal digit expected, not '") + c + "'");
      if (high < 0) {
        high = d;
      } else {
        bytes.push_back(static_cast<uint8_t>(high << 4 | d));
        high = -1;
      }
    }
    if (high >= 0) Fail("odd number of hexadecimal digits");
    return bytes;
  }

  std::string_view s_;
  size_t pos_ = 0;
  int line_ = 1;
};

} // namespace

LayoutObject ParseLayout(std::string_view text) { return Parser(text).Root(); }
