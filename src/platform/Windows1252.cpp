#include "platform/Windows1252.h"

#include <array>

namespace qv::platform {

namespace {

// 0x80-0x9F; 0 marks the unused bytes.
constexpr std::array<char16_t, 32> kHighBytes = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

int windows1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (std::size_t i = 0; i < kHighBytes.size(); ++i)
        if (kHighBytes[i] != 0 && kHighBytes[i] == c)
            return int(0x80 + i);
    return -1;
}

char16_t windows1252Char(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? kHighBytes[b - 0x80] : char16_t(b);
}

} // namespace qv::platform
