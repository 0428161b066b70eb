#pragma once
// Skin paths are Windows-style UTF-8 text ("c:\Skins\", "..\skins\BlueGauze\Options.dat"), as the manager
// builds them. These helpers reach the file system with them on any platform.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The path for the file system: backslashes as separators on Windows, slashes elsewhere.
std::string NativePath(std::string_view windowsPath);

// The existing regular file at path; where the file system tells case apart, also a file whose name
// differs only in case (Windows would open it, and skin files name pictures in capitals).
std::optional<std::string> FindSkinFile(const std::string &path);

// The whole file, refusing files above maxSize bytes before reading them; raises EFOpenError or ESkinError.
std::vector<uint8_t> ReadSkinFile(const std::string &path, int64_t maxSize);
