#include "device/RecordTimes.h"

#include <cwctype>
#include <system_error>

#include "core/Ini.h"
#include "platform/base/Encoding.h"

namespace {

// Leading blanks, a sign and digits, as the terminals' tools read numbers; the
// value is kept in the 16-bit field the record holds.
std::uint16_t ReadField(const CIni& ini, const wchar_t* key) {
    std::wstring text = ini.GetString(L"cfg", key, L"");
    if (text.size() > 260) {
        text.resize(260);
    }
    std::size_t pos = 0;
    while (pos < text.size() && std::iswspace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    std::uint32_t value = 0;
    for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
        value = (value * 10 + static_cast<std::uint32_t>(text[pos] - L'0')) & 0xFFFFFFu;
    }
    return static_cast<std::uint16_t>(negative ? 0u - value : value);
}

void ReadTime(const CIni& ini, const wchar_t* const (&keys)[7], SystemTime& time) {
    time.year = ReadField(ini, keys[0]);
    time.month = ReadField(ini, keys[1]);
    time.day = ReadField(ini, keys[2]);
    time.hour = ReadField(ini, keys[3]);
    time.minute = ReadField(ini, keys[4]);
    time.second = ReadField(ini, keys[5]);
    time.milliseconds = ReadField(ini, keys[6]);
}

}  // namespace

int ReadRecordTimeFile(const std::wstring& path, SystemTime& start, SystemTime& end) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(platform::ToPath(path), error)) {
        return 0;
    }
    static const wchar_t* const kStart[7] = {L"StartTimeYear",   L"StartTimeMonth",  L"StartTimeDay",
                                             L"StartTimeHour",   L"StartTimeMinute", L"StartTimeSecond",
                                             L"StartTimeMilliSecond"};
    static const wchar_t* const kEnd[7] = {L"EndTimeYear",   L"EndTimeMonth",  L"EndTimeDay",
                                           L"EndTimeHour",   L"EndTimeMinute", L"EndTimeSecond",
                                           L"EndTimeMilliSecond"};
    const CIni ini(path);
    ReadTime(ini, kStart, start);
    ReadTime(ini, kEnd, end);
    return 1;
}
