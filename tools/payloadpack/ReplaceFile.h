#pragma once
// The packing tool's file writer.

#include <cstdint>
#include <span>
#include <string>

// Writes bytes to path (UTF-8) through a temporary file beside it that then takes the final name, so a failed
// write leaves an earlier file of that name as it was. Raises EFCreateError or EWriteError.
void ReplaceFile(const std::string &path, std::span<const uint8_t> bytes);
