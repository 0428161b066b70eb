#pragma once
// The folders of 64-bit Windows that depend on a program's width: the system folder where token drivers
// are installed and found, and Program Files. Files are placed there with file-system redirection off, so
// that a path means the same folder from a 32-bit and from a 64-bit test process.

#include <filesystem>

namespace e2e {

enum class Width { k32Bit, k64Bit };
constexpr Width kThisBuild = sizeof(void *) == 4 ? Width::k32Bit : Width::k64Bit;

// Where programs of this width find system libraries: System32 for 64-bit programs; SysWOW64 for 32-bit
// programs on 64-bit Windows, System32 on 32-bit Windows.
std::filesystem::path SystemFolder(Width programs);
// Program Files as programs of this width see it (their "ProgramFiles").
std::filesystem::path ProgramFilesFolder(Width programs);

// Copies over an existing file, and removes a file if present; both raise on failure.
void CopyIntoPlace(const std::filesystem::path &from, const std::filesystem::path &to);
void RemoveFromPlace(const std::filesystem::path &path);

} // namespace e2e
