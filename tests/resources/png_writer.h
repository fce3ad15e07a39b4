#pragma once
// A minimal PNG encoder for screenshots: 8-bit RGB, no filtering, zlib stored blocks.

#include <cstdint>
#include <string>
#include <vector>

namespace wd::test {

// `pixels` holds width × height values 0x00RRGGBB, top row first. The PNG file's bytes.
std::vector<std::uint8_t> EncodePng(int width, int height,
                                    const std::vector<std::uint32_t>& pixels);

}  // namespace wd::test
