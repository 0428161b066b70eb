#pragma once
// Errors of skin reading. Each message names the problem (and the section and key where there is one),
// because a skin author has only the text to go on.

#include <string>

#include "toolkit/base/Exceptions.h"

class ESkinError : public Exception {
  using Exception::Exception;
};

// A pack whose bytes do not follow the pack layout: bad counts or lengths, truncated or corrupt members.
class ESkinPackError : public ESkinError {
  using ESkinError::ESkinError;
};

// Bytes that do not start with the pack magic at all; the manager shows this text as a warning.
class ENotSkinPack : public ESkinPackError {
public:
  ENotSkinPack() : ESkinPackError("Loaded data is not packed Tessora file") {}
};

// A value of the options file that cannot be read, with the place where it stands.
class ESkinOptionsError : public ESkinError {
public:
  ESkinOptionsError(std::string section, std::string key, const std::string &problem)
      : ESkinError("[" + section + "] " + key + ": " + problem), section_(std::move(section)), key_(std::move(key)),
        problem_(problem) {}
  const std::string &Section() const { return section_; }
  const std::string &Key() const { return key_; }
  const std::string &Problem() const { return problem_; }

private:
  std::string section_;
  std::string key_;
  std::string problem_;
};
