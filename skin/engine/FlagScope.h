#pragma once
// Raises a flag for one scope and puts it back as it was when the scope is left, also by an exception, so
// that a nested scope on the same flag does not lower it under the outer one.

#include <utility>

class FlagScope {
public:
  explicit FlagScope(bool &flag) : flag_(flag), previous_(std::exchange(flag, true)) {}
  ~FlagScope() { flag_ = previous_; }
  FlagScope(const FlagScope &) = delete;
  FlagScope &operator=(const FlagScope &) = delete;

private:
  bool &flag_;
  bool previous_;
};
