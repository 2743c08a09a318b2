#pragma once
// The language texts of the record views, by their ids in the program's language
// pack, and the few formats the views share.

#include <cstdint>
#include <string>

namespace viewtext {

inline constexpr unsigned kName = 10030;          // "名称"
inline constexpr unsigned kChannel = 10069;       // "通道"
inline constexpr unsigned kTime = 10054;          // "时间"
inline constexpr unsigned kLimitValue = 10065;    // "越限值"
inline constexpr unsigned kCountSuffix = 6150;    // "(共%I64d个)"
inline constexpr unsigned kSwell = 6189;          // event kinds 1-4: 6189-6192
inline constexpr unsigned kTransientEvents = 6193;
inline constexpr unsigned kIncompleteRecord = 6458;  // "(记录不完整)", after a list row's time
inline constexpr unsigned kAlarmEvents = 6196;
inline constexpr unsigned kSceneData = 6197;
inline constexpr unsigned kLimitAlarm = 6198;     // SOE type names: 6198-6216
inline constexpr unsigned kStart = 6217;
inline constexpr unsigned kEnd = 6218;
inline constexpr unsigned kOrderPrefix = 6219;    // "%s第%02d次"
inline constexpr unsigned kWiringChanged = 6220;  // "接线方式更改，改为:%s"
inline constexpr unsigned kUnknownAlarm = 10029;
inline constexpr unsigned kWiringFirst = 10017;   // wiring names 10017-10026
inline constexpr unsigned kNoSceneData = 6179;
inline constexpr unsigned kFrequency = 9999;
inline constexpr unsigned kRms = 32883;           // "有效值", the strip's RMS box

// The text of an id from the program's language resources.
std::wstring Load(unsigned id);

// A pane caption: the title text followed by the count suffix with the count put
// in place of its one number field ("%I64d" or "%d").
std::wstring CountCaption(unsigned titleId, std::int64_t count);

// "%.3f" without regard to the user's locale (a NaN reads "nan" or "-nan").
std::wstring Fixed3(double value);

// Puts each argument in place of the next "%s" (or, for numbers, the next "%d",
// "%02d" or "%I64d") of a language text; fields beyond the arguments are left out.
std::wstring Fill(const std::wstring& pattern, const std::wstring& first, const std::wstring& second = {});

}  // namespace viewtext
