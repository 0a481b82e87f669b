// Little-endian byte writing shared by the BMP and ICO encoders.
#pragma once

#include <cstdint>
#include <vector>

namespace gen {

inline void put8(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

inline void put16(std::vector<std::uint8_t>& out, unsigned v)
{
    put8(out, v);
    put8(out, v >> 8);
}

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace gen
