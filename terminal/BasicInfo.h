#pragma once
// BasicInfo: the description of a loaded terminal folder that every reader fills
// while loading and copies out on request (times, device and user texts, system
// information, interval, requested record count, trend views, wiring).

#include <cstdint>
#include <string>
#include <vector>

struct BasicInfo {
    std::wstring startText;
    std::wstring secondText;
    std::wstring endText;
    std::wstring deviceType;
    std::wstring userName;
    std::wstring place;
    std::wstring voltageText;
    std::wstring ptText;
    std::wstring ctText;
    std::wstring ptRatioText;
    std::wstring ctRatioText;
    std::wstring mvaText;
    std::int32_t value1 = 0;
    std::int32_t value2 = 0;
    double interval = 0.0;
    std::int32_t value3 = 0;
    double doubles[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
    std::uint32_t recordCount = 0;
    std::vector<std::uint32_t> viewIds;
    std::wstring wiringName;
    std::uint32_t phaseMask = 15;
    std::int32_t tail1 = 0;
    std::int32_t tail2 = 0;
    double tailValue1 = 0.0;
    double tailValue2 = 0.0;
};
