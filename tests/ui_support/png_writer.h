#pragma once
// A minimal PNG encoder (8-bit RGBA, zlib stored blocks), enough for test screenshots
// without any library.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ui_support {

// `bgra` holds width * height pixels, top row first, each 0xAARRGGBB (a 32-bit DIB's order).
// With `keepAlpha` false every pixel is written opaque (window captures carry no alpha).
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint32_t> bgra,
                                    bool keepAlpha = false);
bool WritePngFile(const std::wstring& path, int width, int height,
                  std::span<const std::uint32_t> bgra, bool keepAlpha = false);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

}  // namespace ui_support
