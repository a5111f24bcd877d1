// Platform-free core: the version text of the dialog and of the page's
// settings panel, "Version.1.02" for file version 1.2.0.0, taken from the
// module's version record (the page gets its file version at build time).
#pragma once

#include <cstddef>
#include <cstdint>

const size_t VersionTextSize = 256;

// Scans the record's 32-bit little-endian words at 4-byte steps for the
// signature that opens the fixed file information, and yields the word 8
// bytes after it (the high half of the file version). False when there is no
// signature with those bytes after it inside the block.
bool FindFileVersionHigh(const void* record, size_t size, uint32_t* fileVersionHigh);

// "Version.<major>.<minor, two digits at least>".
void FormatVersionText(uint32_t fileVersionHigh, char (&text)[VersionTextSize]);
