#include "terminal/SOEBlock.h"

namespace {

std::uint16_t Word16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

SystemTime SOEBlock::Time() const
{
    const std::uint8_t* p = header.data();
    SystemTime time;
    time.year = Word16(p);
    time.month = Word16(p + 2);
    time.dayOfWeek = Word16(p + 4);
    time.day = Word16(p + 6);
    time.hour = Word16(p + 8);
    time.minute = Word16(p + 10);
    time.second = Word16(p + 12);
    time.milliseconds = Word16(p + 14);
    return time;
}

std::uint32_t SOEBlock::DeclaredCount() const
{
    const std::uint8_t* p = header.data() + 24;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
