// Little-endian fields appended to a byte buffer, as the file formats need.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

inline void PutU8(Bytes* out, uint32_t v) { out->push_back(static_cast<uint8_t>(v)); }
inline void PutU16(Bytes* out, uint32_t v) {
  PutU8(out, v & 0xFF);
  PutU8(out, (v >> 8) & 0xFF);
}
inline void PutU32(Bytes* out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

// False when the file cannot be written completely.
bool WriteWholeFile(const std::string& path, const Bytes& bytes);
