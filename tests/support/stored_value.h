// What one stored registry value makes of a setting, as the tests reckon it
// without the registry: the loader queries into a four-byte word that holds the field's value, so
// data of 0 to 4 bytes replaces that many low-order bytes (little endian)
// and longer data fails the query, keeping the field as an absent value
// does. The loader asks for no type, and for every type but the string ones
// the data is the stored bytes. For a string the query returns it in the
// ANSI code page and, when it lacks its terminating zero and the word has
// room, writes a zero after the size it reports; that zero is not modelled
// here, which is why this lives with the tests and the loader queries straight
// into the word.
#pragma once

#include <cstddef>
#include <cstdint>

// bytes: the value's data as the query returns it, size bytes long.
int32_t SettingAfterStoredValue(int32_t current, const uint8_t* bytes, size_t size);
