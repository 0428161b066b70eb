#pragma once
// A file written under a temporary name and put in place only when complete, so a failure never leaves a
// half-written file where a good one stood.

#include <cstdint>
#include <filesystem>
#include <span>

class PendingFile {
public:
  explicit PendingFile(std::filesystem::path target);
  ~PendingFile();
  PendingFile(const PendingFile &) = delete;
  PendingFile &operator=(const PendingFile &) = delete;

  // Raises EFCreateError when the bytes cannot be written.
  void Write(std::span<const uint8_t> bytes) const;
  void Commit();

private:
  std::filesystem::path target_;
  std::filesystem::path temp_;
  bool committed_ = false;
};
