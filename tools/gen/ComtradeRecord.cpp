#include "tools/gen/ComtradeRecord.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace gen {
namespace {

std::string FloatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string DoubleText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Unit(const ComtradeOptions& options, int channel) {
    if (static_cast<std::size_t>(channel) < options.units.size()) {
        return options.units[static_cast<std::size_t>(channel)];
    }
    return channel >= 4 && channel < 8 ? "A" : "V";
}

std::string TimeLine(const DateTime& time, int microseconds) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d,%02d:%02d:%02d.%03d%03d", time.day, time.month, time.year,
                  time.hour, time.minute, time.second, time.millisecond, microseconds);
    return buffer;
}

void PutU16(std::string& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

void PutU32(std::string& bytes, std::uint32_t value) {
    PutU16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    PutU16(bytes, static_cast<std::uint16_t>(value >> 16));
}

std::uint32_t TimeStampMicroseconds(const ComtradeOptions& options, std::uint32_t sample) {
    return static_cast<std::uint32_t>(static_cast<double>(sample) * 1e6 / options.sampleRate);
}

// The raw word of an analog channel: the known pattern, or the signal through the
// channel's a and b.
std::int16_t SampleRaw(const ComtradeOptions& options, std::uint32_t sample, int channel) {
    if (!options.signal) {
        return ComtradeRaw(options, sample, channel);
    }
    const double raw = (options.signal(sample, channel) - ComtradeB(channel)) / ComtradeA(options, channel);
    return static_cast<std::int16_t>(std::clamp(std::lround(raw), -32767L, 32767L));
}

bool WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    return platform::AtomicWriteFile(file, bytes);
}

}  // namespace

std::int16_t ComtradeRaw(const ComtradeOptions& options, std::uint32_t sample, int channel) {
    const double ratio = options.lineFrequency > 0.0 ? options.sampleRate / options.lineFrequency : 0.0;
    const double perCycle = ratio > 0.0 ? ratio : 64.0;
    const double angle = 2.0 * std::numbers::pi * static_cast<double>(sample) / perCycle + channel;
    return static_cast<std::int16_t>(std::lround((8000.0 + 500.0 * channel) * std::sin(angle)));
}

int ComtradeDigital(std::uint32_t sample, int channel) {
    return (sample + static_cast<std::uint32_t>(channel)) % 3 == 0 ? 1 : 0;
}

float ComtradeA(const ComtradeOptions& options, int channel) {
    return channel >= 4 && channel < 8 ? options.currentA : options.voltageA;
}

float ComtradeB(int channel) {
    return channel >= 4 && channel < 8 ? -0.25f : 0.5f;
}

std::string ComtradeRecordName(const std::string& prefix, const DateTime& time) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s_%04d%02d%02d_%02d%02d%02d_%03d", prefix.c_str(), time.year, time.month,
                  time.day, time.hour, time.minute, time.second, time.millisecond);
    return buffer;
}

std::string ComtradeCfgBytes(const ComtradeOptions& options) {
    const ComtradeDefect defect = options.defect;
    const std::string end = defect == ComtradeDefect::LfLineEnds ? "\n" : "\r\n";
    const int analog = options.analogChannels;
    const int digital = options.digitalChannels;
    std::string text = platform::WideToGbk(options.station).value_or("STATION") + ",K7700-0815";
    if (defect != ComtradeDefect::OldFirstLine) {
        text += "," + options.revisionYear;
    }
    text += end;
    const int total = analog + digital + (defect == ComtradeDefect::WrongTotal ? 1 : 0);
    text += std::to_string(total) + "," + std::to_string(analog) + "A," + std::to_string(digital) + "D" + end;
    static const char* const kPhases[] = {"A", "B", "C", "N"};
    for (int c = 0; c < analog; ++c) {
        const int number = defect == ComtradeDefect::WrongChannelNumber && c == 1 ? 3 : c + 1;
        const bool current = c >= 4 && c < 8;
        text += std::to_string(number) + "," + (current ? "I" : "U") + kPhases[c % 4] + "," + kPhases[c % 4] + ",," +
                Unit(options, c) + "," + FloatText(ComtradeA(options, c)) + "," + FloatText(ComtradeB(c)) +
                ",0,-32768,32767";
        if (defect != ComtradeDefect::TenFieldAnalog) {
            text += "," + (current ? options.currentRatio : options.voltageRatio) + ",P";
        }
        text += end;
    }
    for (int d = 0; d < digital; ++d) {
        text += std::to_string(d + 1) + ",DI" + std::to_string(d + 1) + ",,,0" + end;
    }
    if (defect != ComtradeDefect::NoLineFrequency) {
        text += DoubleText(options.lineFrequency) + end;
    }
    const std::uint32_t declared = defect == ComtradeDefect::HugeSampleCount ? 2147483647u : options.samples;
    text += "1" + end + DoubleText(options.sampleRate) + "," + std::to_string(declared) + end;
    text += TimeLine(options.first, 0) + end;
    text += TimeLine(options.trigger, options.triggerMicroseconds) + end;
    if (defect == ComtradeDefect::BadFileType) {
        text += "TEXT" + end;
    } else {
        text += (options.format == ComtradeFormat::Ascii ? "ASCII" : "BINARY") + end;
    }
    if (defect != ComtradeDefect::MissingTimeMultiplier) {
        text += "1" + end;
    }
    if (defect == ComtradeDefect::EofPadding) {
        text += std::string(3, '\x1A');
    }
    return text;
}

std::string ComtradeDatBytes(const ComtradeOptions& options) {
    const int analog = options.analogChannels;
    const int digital = options.digitalChannels;
    const int words = (digital + 15) / 16;
    std::string bytes;
    const char* end = options.defect == ComtradeDefect::LfLineEnds ? "\n" : "\r\n";
    std::size_t truncateAt = 0;
    for (std::uint32_t i = 0; i < options.samples; ++i) {
        if (options.defect == ComtradeDefect::TruncatedDat && i == options.samples / 2) {
            truncateAt = bytes.size() + 5;
        }
        if (options.format == ComtradeFormat::Binary) {
            PutU32(bytes, i + 1);
            PutU32(bytes, TimeStampMicroseconds(options, i));
            for (int c = 0; c < analog; ++c) {
                PutU16(bytes, static_cast<std::uint16_t>(SampleRaw(options, i, c)));
            }
            for (int w = 0; w < words; ++w) {
                std::uint16_t word = 0;
                for (int k = 0; k < 16 && w * 16 + k < digital; ++k) {
                    word = static_cast<std::uint16_t>(word | (ComtradeDigital(i, w * 16 + k) << k));
                }
                PutU16(bytes, word);
            }
        } else {
            bytes += std::to_string(i + 1) + "," + std::to_string(TimeStampMicroseconds(options, i));
            for (int c = 0; c < analog; ++c) {
                bytes += "," + std::to_string(SampleRaw(options, i, c));
            }
            for (int d = 0; d < digital; ++d) {
                const bool longField = options.defect == ComtradeDefect::LongDigitalField && i == 3 && d == 0;
                bytes += longField ? ",10" : "," + std::to_string(ComtradeDigital(i, d));
            }
            bytes += end;
        }
    }
    if (truncateAt != 0 && truncateAt < bytes.size()) {
        bytes.resize(truncateAt);
    }
    return bytes;
}

std::string ComtradeInfBytes(const ComtradeOptions& options) {
    return "[EventInfo]\r\nVersion=1\r\nEventType=" + std::to_string(options.infFirst) +
           "\r\nReserved=0\r\nPhase=" + std::to_string(options.infSecond) + "\r\n";
}

bool WriteComtradeRecord(const std::filesystem::path& base, const ComtradeOptions& options) {
    std::filesystem::path cfg = base, dat = base, inf = base;
    cfg += ".CFG";
    dat += ".DAT";
    inf += ".INF";
    if (!WriteBytes(cfg, ComtradeCfgBytes(options))) {
        return false;
    }
    if (options.defect != ComtradeDefect::MissingDat && !WriteBytes(dat, ComtradeDatBytes(options))) {
        return false;
    }
    return options.defect == ComtradeDefect::MissingInf || WriteBytes(inf, ComtradeInfBytes(options));
}

std::vector<std::string> WriteComtradeFolder(const std::filesystem::path& folder, const ComtradeOptions& options,
                                             const std::vector<int>& recordsPerFolder, const DescriptionFiles& files) {
    std::vector<std::string> written;
    if (!WriteDescriptionFiles(folder, files)) {
        return written;
    }
    int seconds = 0;
    for (std::size_t f = 0; f < recordsPerFolder.size(); ++f) {
        char sub[32];
        std::snprintf(sub, sizeof sub, "%03zu", f + 1);
        for (int r = 0; r < recordsPerFolder[f]; ++r) {
            ComtradeOptions record = options;
            record.first = AddMilliseconds(options.first, 1000 * seconds);
            record.trigger = AddMilliseconds(options.trigger, 1000 * seconds);
            ++seconds;
            const std::string name = ComtradeRecordName("TR", record.first);
            if (!WriteComtradeRecord(folder / "COMTRADE" / sub / name, record)) {
                return {};
            }
            written.push_back(std::string("/COMTRADE/") + sub + "/" + name + ".CFG");
        }
    }
    return written;
}

bool WriteComtradeEvent(const std::filesystem::path& base, int kind, int durationMs, double rms,
                        const DateTime& first) {
    ComtradeOptions options;
    options.infFirst = kind;
    // 64 samples a cycle of 20 ms: 16 samples every 5 ms, 14 cycles being 56 such steps.
    const int steps = std::max(durationMs / 5, -56) + 56;
    options.samples = static_cast<std::uint32_t>(steps * 16);
    // Channel 1 is 8000 sin(...) raw, scaled by a, offset by b = 0.5: RMS^2 = (8000 a)^2 / 2 + 0.25.
    options.voltageA = static_cast<float>(std::sqrt(2.0 * std::max(0.0, rms * rms - 0.25)) / 8000.0);
    options.first = first;
    options.trigger = first;
    return WriteComtradeRecord(base, options);
}

}  // namespace gen
