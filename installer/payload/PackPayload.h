#pragma once
// Payload packing: turns the four payload files into the zlib streams that the build places in the
// installer as resources.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

// Writes a whole file, replacing an earlier one; raises an Exception on failure.
using PayloadFileWriter = std::function<void(const std::string &path, std::span<const uint8_t> bytes)>;

// For "Kelvora.exe", "KelvoraV3DLL.dll", "eKalit.dll" and "iKeyAPI.dll", in that order: reads
// sourceFolder + file name, compresses it with CompressBuffer and hands the stream to writeFile as
// targetFolder + base name + ".zip". Both folders end with their separator; the installer passes the same
// folder twice. The first failure ends the operation; streams already written stay.
void PackPayload(const std::string &sourceFolder, const std::string &targetFolder, const PayloadFileWriter &writeFile);
