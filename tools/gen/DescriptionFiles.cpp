#include "tools/gen/DescriptionFiles.h"

#include <ctime>

#include "platform/base/Encoding.h"

namespace gen {
namespace {

void SetTime(IniDocument& document, const wchar_t* prefix, const DateTime& time, bool withMilliseconds) {
    const std::wstring p = prefix;
    document.SetInt(L"cfg", p + L"Year", time.year)
        .SetInt(L"cfg", p + L"Month", time.month)
        .SetInt(L"cfg", p + L"Day", time.day)
        .SetInt(L"cfg", p + L"Hour", time.hour)
        .SetInt(L"cfg", p + L"Minute", time.minute)
        .SetInt(L"cfg", p + L"Second", time.second);
    if (withMilliseconds) {
        document.SetInt(L"cfg", p + L"MilliSecond", time.millisecond);
    }
}

}  // namespace

namespace {

// Calendar fields as seconds of a clock without time zone, and back.
std::int64_t ClockSeconds(const DateTime& time) {
    std::tm fields{};
    fields.tm_year = time.year - 1900;
    fields.tm_mon = time.month - 1;
    fields.tm_mday = time.day;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    return static_cast<std::int64_t>(timegm(&fields));
}

std::tm ClockFields(std::int64_t seconds) {
    const auto value = static_cast<std::time_t>(seconds);
    std::tm fields{};
    gmtime_r(&value, &fields);
    return fields;
}

}  // namespace

DateTime AddMilliseconds(const DateTime& time, std::int64_t milliseconds) {
    std::int64_t total = ClockSeconds(time) * 1000 + time.millisecond + milliseconds;
    std::int64_t seconds = total / 1000;
    std::int64_t rest = total % 1000;
    if (rest < 0) {
        --seconds;
        rest += 1000;
    }
    const std::tm out = ClockFields(seconds);
    return DateTime{out.tm_year + 1900, out.tm_mon + 1, out.tm_mday, out.tm_hour, out.tm_min, out.tm_sec,
                    static_cast<int>(rest)};
}

std::int64_t MillisecondsBetween(const DateTime& from, const DateTime& to) {
    return (ClockSeconds(to) - ClockSeconds(from)) * 1000 + to.millisecond - from.millisecond;
}

int DayOfWeek(const DateTime& time) { return ClockFields(ClockSeconds(time)).tm_wday; }

std::wstring ItemListText(const std::vector<int>& items) {
    std::wstring text;
    for (int item : items) {
        if (!text.empty()) {
            text += L',';
        }
        text += std::to_wstring(item);
    }
    return text;
}

IniDocument RecordInfoDocument(const RecordInfo& info) {
    IniDocument document;
    SetTime(document, L"StartTime", info.start, true);
    if (info.end) {
        SetTime(document, L"EndTime", *info.end, false);
    }
    document.Set(L"cfg", L"UserName", info.userName)
        .Set(L"cfg", L"Place", info.place)
        .Set(L"cfg", L"DeviceType", info.deviceType)
        .Set(L"cfg", L"SoftWareVersion", info.softwareVersion);
    if (info.cffc) {
        document.SetInt(L"cfg", L"CFFC", *info.cffc);
    }
    return document;
}

IniDocument RecordSetDocument(const RecordSet& set) {
    IniDocument document;
    document.SetInt(L"WireConnectType", L"Category", set.category)
        .SetInt(L"WireConnectType", L"SubConnectType", set.subConnectType)
        .Set(L"SysInfor", L"PT1", set.pt1)
        .Set(L"SysInfor", L"PT1_Left", set.pt1Left)
        .Set(L"SysInfor", L"PT1_Right", set.pt1Right)
        .Set(L"SysInfor", L"CT1", set.ct1)
        .Set(L"SysInfor", L"CT1_Left", set.ct1Left)
        .Set(L"SysInfor", L"CT1_Right", set.ct1Right)
        .Set(L"SysInfor", L"U", set.u)
        .Set(L"SysInfor", L"PT", set.pt)
        .Set(L"SysInfor", L"CT", set.ct)
        .Set(L"SysInfor", L"MVA", set.mva)
        .SetInt(L"SysInfor", L"EWL", set.ewl)
        .SetInt(L"SysInfor", L"BWL", set.bwl);
    return document;
}

IniDocument StatisticCfgDocument(const StatisticCfg& cfg) {
    IniDocument document;
    document.SetInt(L"cfg", L"BlockSize", cfg.blockSize)
        .SetInt(L"cfg", L"BlockCount", cfg.blockCount)
        .SetInt(L"cfg", L"TimePlot", cfg.timePlot)
        .Set(L"cfg", L"Item", ItemListText(cfg.items))
        .SetInt(L"cfg", L"BlockCountPerFile", cfg.blockCountPerFile)
        .SetInt(L"cfg", L"BlockTypeCount", cfg.blockTypeCount);
    if (cfg.preConvert) {
        document.SetInt(L"data_convert", L"pre_convert", *cfg.preConvert);
    }
    return document;
}

std::filesystem::path RecordInfoPath(const std::filesystem::path& folder) { return folder / kRecordInfoFile; }

std::filesystem::path RecordSetPath(const std::filesystem::path& folder) { return folder / kRecordSetFile; }

std::filesystem::path StatisticCfgPath(const std::filesystem::path& folder) {
    return folder / kStatisticFolder / kStatisticCfgFile;
}

bool WriteDescriptionFiles(const std::filesystem::path& folder, const DescriptionFiles& files,
                           const FileFormat& format) {
    return RecordInfoDocument(files.recordInfo).Write(RecordInfoPath(folder), format) &&
           RecordSetDocument(files.recordSet).Write(RecordSetPath(folder), format) &&
           StatisticCfgDocument(files.statistic).Write(StatisticCfgPath(folder), format);
}

}  // namespace gen
