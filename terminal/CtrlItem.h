#pragma once
// CCtrlItem: a request to the controller, and the event values that serve at once
// as request codes, notification events and bits of an observer's mask.

#include <cstdint>
#include <string>

namespace ctrl {
inline constexpr std::uint32_t kPane = 0x001;              // show or close a pane
inline constexpr std::uint32_t kOpenComtrade = 0x002;
inline constexpr std::uint32_t kOpenSoe = 0x004;
inline constexpr std::uint32_t kOpenStatistic = 0x008;
inline constexpr std::uint32_t kComtradeRecord = 0x010;    // a COMTRADE record chosen
inline constexpr std::uint32_t kSoeEvent = 0x020;          // an SOE event chosen
inline constexpr std::uint32_t kComtradeListReady = 0x040;
inline constexpr std::uint32_t kStatisticRefresh = 0x080;
inline constexpr std::uint32_t kSecondStatistic = 0x100;
inline constexpr std::uint32_t kCloseAll = 0x200;
}  // namespace ctrl

struct CCtrlItem {
    std::uint32_t code = 0;
    // A value, or the address of a record the request carries (a query record, a
    // data selection record), as the code defines it.
    std::uintptr_t param1 = 0;
    std::uintptr_t param2 = 0;
    std::wstring text;
};
