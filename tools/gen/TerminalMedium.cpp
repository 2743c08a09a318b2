#include "tools/gen/TerminalMedium.h"

#include <ctime>
#include <fstream>
#include <system_error>
#include <utime.h>

#include "platform/base/Encoding.h"
#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/StatisticFolder.h"
#include "tools/gen/WaveRecord.h"

namespace fs = std::filesystem;

namespace gen {

namespace {

void PutText(std::string& block, std::size_t offset, const std::wstring& text) {
    const std::u16string units = platform::WideToUtf16(text);
    for (std::size_t i = 0; i < units.size() && i < 255; ++i) {
        block[offset + 2 * i] = static_cast<char>(units[i] & 0xFF);
        block[offset + 2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
}

bool WriteMediumFile(const fs::path& file, const std::string& bytes) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// "YYYYMMDD_HHMMSS" as the record's start; a name of another form starts at noon
// on the first of March 2026.
DateTime StartOf(const std::string& name) {
    DateTime start{2026, 3, 1, 12, 0, 0, 0};
    if (name.size() >= 15 && name[8] == '_') {
        const auto number = [&](std::size_t at, std::size_t count) { return std::stoi(name.substr(at, count)); };
        start = {number(0, 4), number(4, 2), number(6, 2), number(9, 2), number(11, 2), number(13, 2), 0};
    }
    return start;
}

// The wall-clock fields as seconds, read as UTC (the terminals keep no zone).
std::time_t WallClockSeconds(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    return ::timegm(&fields);
}

DateTime Plus(const DateTime& time, std::int64_t seconds) {
    const std::time_t value =
        WallClockSeconds(time.year, time.month, time.day, time.hour, time.minute, time.second) + seconds;
    std::tm out{};
    ::gmtime_r(&value, &out);
    return {out.tm_year + 1900, out.tm_mon + 1, out.tm_mday, out.tm_hour, out.tm_min, out.tm_sec, 0};
}

bool WriteStatisticRecord(const fs::path& folder, const MediumRecord& record, const std::wstring& deviceType) {
    const DateTime start = StartOf(record.name);
    StatisticFolderOptions options;
    options.records = record.records;
    options.deviceType = deviceType;
    options.startYear = start.year;
    options.startMonth = start.month;
    options.startDay = start.day;
    options.startHour = start.hour;
    options.startMinute = start.minute;
    options.startSecond = start.second;
    if (!WriteStatisticFolder(folder, options)) {
        return false;
    }
    // The terminal closes a record with its end time.
    RecordInfo info;
    info.start = start;
    info.end = Plus(start, static_cast<std::int64_t>(record.records) * options.timePlot);
    info.deviceType = deviceType;
    return RecordInfoDocument(info).Write(RecordInfoPath(folder), options.format);
}

bool WriteWaveRecordFolder(const fs::path& folder, const MediumRecord& record) {
    const DateTime start = StartOf(record.name);
    WaveRecordOptions options = ThreePhaseWaveRecord(6400, 0.2, 0.0);
    options.year = static_cast<std::uint16_t>(start.year);
    options.month = static_cast<std::uint16_t>(start.month);
    options.day = static_cast<std::uint16_t>(start.day);
    options.hour = static_cast<std::uint16_t>(start.hour);
    options.minute = static_cast<std::uint16_t>(start.minute);
    options.second = static_cast<std::uint16_t>(start.second);
    return WriteWaveRecord(folder, options);
}

bool WriteRecord(const fs::path& folder, const MediumRecord& record, bool wave, const std::wstring& deviceType) {
    const auto writeData = [&](const fs::path& where, const MediumRecord& data) {
        return wave ? WriteWaveRecordFolder(where, data) : WriteStatisticRecord(where, data, deviceType);
    };
    bool written = true;
    if (record.boards == 0) {
        written = writeData(folder, record);
    }
    for (int board = 1; board <= record.boards && written; ++board) {
        // Each board recorded for a little longer, so that no two are alike.
        MediumRecord data = record;
        data.records += static_cast<std::uint64_t>(board);
        written = writeData(folder / ("Board" + std::to_string(board)), data);
    }
    if (written && record.locked) {
        written = WriteMediumFile(folder / "record.lock", "");
    }
    return written;
}

}  // namespace

std::string DeviceInfoBlock(std::uint64_t deviceNumber, const std::wstring& name, const std::wstring& version) {
    std::string block(1544, '\0');
    for (std::size_t i = 0; i < 8; ++i) {
        block[i] = static_cast<char>((deviceNumber >> (8 * i)) & 0xFF);
    }
    PutText(block, 8, name);
    PutText(block, 520, version);
    return block;
}

bool WriteTerminalMedium(const fs::path& root, const TerminalMediumOptions& options) {
    std::error_code error;
    fs::create_directories(root, error);
    if (options.marker) {
        std::string block = DeviceInfoBlock(options.deviceNumber, options.deviceName, options.version);
        block.resize(options.markerBytes);
        if (!WriteMediumFile(root / "jmr_zv.verify", block)) {
            return false;
        }
    }
    const std::wstring deviceType = options.deviceName;
    for (const MediumRecord& record : options.exportRecords) {
        if (!WriteRecord(root / "EXPORT" / record.name, record, false, deviceType)) {
            return false;
        }
    }
    for (const MediumRecord& record : options.waveRecords) {
        if (!WriteRecord(root / "WAVE" / record.name, record, true, deviceType)) {
            return false;
        }
    }
    fs::create_directories(root / "SCREEN", error);
    for (const MediumScreenshot& shot : options.screenshots) {
        std::string bytes(shot.bytes, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>((i * 31 + shot.minute) & 0xFF);
        }
        const fs::path file = root / "SCREEN" / shot.name;
        if (!WriteMediumFile(file, bytes)) {
            return false;
        }
        const std::time_t when =
            WallClockSeconds(shot.year, shot.month, shot.day, shot.hour, shot.minute, shot.second);
        const utimbuf times{when, when};
        if (::utime(platform::PathToUtf8(file).c_str(), &times) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace gen
