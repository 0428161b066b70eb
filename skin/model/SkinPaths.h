#pragma once
// Skin paths are Windows-style UTF-8 text ("c:\Skins\", "..\skins\BlueGauze\Options.dat"), as the manager
// builds them. These helpers reach the file system with them on any platform.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The path for the file system: UTF-8 decoded, backslashes as separators on Windows, slashes elsewhere.
std::filesystem::path NativePath(std::string_view windowsPath);
std::string PathToUtf8(const std::filesystem::path &path);
// A path given in UTF-8 as it is (command-line arguments), separators untouched.
std::filesystem::path PathFromUtf8(std::string_view path);

// The existing regular file at path; where the file system tells case apart, also a file whose name
// differs only in case (Windows would open it, and skin files name pictures in capitals).
std::optional<std::filesystem::path> FindSkinFile(const std::filesystem::path &path);

// The whole file, refusing files above maxSize bytes; raises EFOpenError or ESkinError.
std::vector<uint8_t> ReadSkinFile(const std::filesystem::path &path, int64_t maxSize);
