#include "toolkit/base/Exceptions.h"

#include <charconv>

std::string EInOutError::TextForCode(int errorCode) {
  switch (errorCode) {
  case 2: return "File not found";
  case 3: return "Invalid filename";
  case 4: return "Too many open files";
  case 5: return "File access denied";
  case 100: return "Read beyond end of file";
  case 101: return "Disk full";
  case 106: return "Invalid numeric input";
  default: return "I/O error " + std::to_string(errorCode);
  }
}

EInOutError::EInOutError(int errorCode) : Exception(TextForCode(errorCode)), errorCode_(errorCode) {}

EFCreateError::EFCreateError(const std::string &path, const std::string &systemText)
    : EStreamError("Cannot create file \"" + path + "\". " + systemText) {}

static std::string OleErrorText(uint32_t resultCode, const std::string &systemText) {
  if (!systemText.empty()) return systemText;
  // Eight hexadecimal digits with leading zeros; formatted without printf, which would bring a whole
  // formatting engine into the program for this one line.
  char digits[8];
  char *end = std::to_chars(digits, digits + 8, resultCode, 16).ptr;
  return "OLE error " + std::string(8 - (end - digits), '0') + std::string(digits, end);
}

EOleSysError::EOleSysError(uint32_t resultCode, const std::string &systemText)
    : Exception(OleErrorText(resultCode, systemText)), resultCode_(resultCode) {}
