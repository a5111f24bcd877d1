#include "tests/support/dialog_png_file.h"

#include <cstdio>

namespace {

uint32_t Crc32(const unsigned char* bytes, size_t size, uint32_t crc = 0xFFFFFFFFu) {
  for (size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return crc;
}

void PutBigEndian(std::vector<unsigned char>& out, uint32_t word) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<unsigned char>(word >> shift));
  }
}

void PutChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data) {
  PutBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t typeStart = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, ~Crc32(out.data() + typeStart, out.size() - typeStart));
}

// A zlib stream of stored blocks: no compression, any size.
std::vector<unsigned char> StoredZlibStream(const std::vector<unsigned char>& raw) {
  std::vector<unsigned char> out = {0x78, 0x01};
  size_t offset = 0;
  do {
    const size_t length = raw.size() - offset < 65535 ? raw.size() - offset : 65535;
    const bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<unsigned char>(length));
    out.push_back(static_cast<unsigned char>(length >> 8));
    out.push_back(static_cast<unsigned char>(~length));
    out.push_back(static_cast<unsigned char>(~length >> 8));
    out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
    offset += length;
  } while (offset < raw.size());
  uint32_t a = 1, b = 0;
  for (unsigned char byte : raw) {
    a = (a + byte) % 65521u;
    b = (b + a) % 65521u;
  }
  PutBigEndian(out, b << 16 | a);
  return out;
}

}  // namespace

bool WritePngFile(const std::string& path, uint32_t width, uint32_t height,
                  const std::vector<unsigned char>& rgb) {
  if (rgb.size() != size_t{width} * height * 3) {
    return false;
  }
  std::vector<unsigned char> rows;  // each row behind filter type 0
  for (uint32_t y = 0; y < height; ++y) {
    rows.push_back(0);
    rows.insert(rows.end(), rgb.begin() + size_t{y} * width * 3, rgb.begin() + size_t{y + 1} * width * 3);
  }
  std::vector<unsigned char> header;
  PutBigEndian(header, width);
  PutBigEndian(header, height);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filter 0, no interlace

  std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", StoredZlibStream(rows));
  PutChunk(file, "IEND", {});

  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    return false;
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written;
}
