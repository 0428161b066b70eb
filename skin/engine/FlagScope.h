#pragma once
// Raises a flag for one scope and lowers it when the scope is left, also by an exception.

class FlagScope {
public:
  explicit FlagScope(bool &flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope &) = delete;
  FlagScope &operator=(const FlagScope &) = delete;

private:
  bool &flag_;
};
