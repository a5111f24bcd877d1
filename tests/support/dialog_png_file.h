// Writes a screenshot as a PNG file (8-bit RGB, uncompressed deflate blocks),
// so the tests need no image library to leave a picture behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb holds height rows of width pixels, top row first, 3 bytes per pixel in
// red, green, blue order. False when the file cannot be written.
bool WritePngFile(const std::string& path, uint32_t width, uint32_t height,
                  const std::vector<unsigned char>& rgb);
