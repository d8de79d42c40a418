#pragma once

// Theme files (*.sui): a 24-byte header, then records of a 77-byte header
// and their data, ending with an empty record. All integers are 32-bit
// little-endian.
//
//   header:  0 "PelSkin_TB" and two zero bytes, 12 header size (24),
//            16 the number 1, 20 offset of the first record (24)
//   record:  0 name (64 bytes, zero-padded), 64 kind (1 byte),
//            65 data offset (record + 77), 69 data size,
//            73 next record (data offset + size; 0 in the end record)
//   data:    kind 0 a whole file (a BMP file for pictures), 1 a signed
//            32-bit integer, 2 one byte 0 or 1, 3 the characters of a string

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace pellamo {

// A theme file that cannot be read: the message says what is wrong where.
class ThemeFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace theme_file {

inline constexpr char kMark[] = "PelSkin_TB";
inline constexpr size_t kMarkSize = 12;
inline constexpr size_t kHeaderSize = 24;
inline constexpr size_t kRecordHeaderSize = 77;
inline constexpr size_t kNameSize = 64;
// Larger files are refused before they are read.
inline constexpr size_t kMaxFileSize = size_t { 64 } << 20;

enum Kind : uint8_t { kFile = 0, kInteger = 1, kBool = 2, kString = 3 };

// Whether the first 12 bytes, read up to their first zero, are the mark.
bool HasMark(std::span<const uint8_t> bytes);

}

// Whether the file exists, can be read, and begins with the mark (its
// first 16 bytes are read; nothing else is checked). Never throws.
bool IsSUIThemeFile(const std::string& file_name);

}
