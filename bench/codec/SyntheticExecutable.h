#pragma once
// A stand-in for a Windows program of about 1.5 MB, for measuring how fast payloads inflate.

#include <cstddef>
#include <cstdint>
#include <vector>

// Deterministic bytes laid out like a linked executable: a header page, then alternating code and data
// sections padded with zeros to 512 bytes. Code is a stock of instruction sequences favouring a few, with
// call targets from a pool of addresses, register and displacement bytes and small immediates; data holds
// pointer tables, numeric constants and ANSI and UTF-16 strings from a word list. At level 9 it deflates to
// about 43 % of its size, near the 47 % of the program that the installer ships.
// Each seed gives other bytes of the same kind.
std::vector<uint8_t> SyntheticExecutable(size_t size = 1586688, uint32_t seed = 20240101);
