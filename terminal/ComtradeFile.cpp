#include "terminal/ComtradeFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace {

using Lines = std::vector<std::string_view>;

// Lines of a text file: split at LF, a CR before it dropped, trailing 0x1A padding
// ignored; a last line without an end still counts.
Lines SplitLines(std::string_view text)
{
    while (!text.empty() && text.back() == '\x1A') {
        text.remove_suffix(1);
    }
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string_view Trim(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && space(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && space(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::size_t Commas(std::string_view line)
{
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
}

// The leading number of the text, as atoi and atof read it: 0 when there is none.
template <class Number>
Number LeadingNumber(std::string_view text, bool* complete = nullptr)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    Number value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) {
        value = Number{};
    }
    if (complete != nullptr) {
        *complete = result.ec == std::errc() && result.ptr == text.data() + text.size();
    }
    return value;
}

// "12A": the number before a one-letter suffix.
bool CountWithSuffix(std::string_view field, char suffix, std::int32_t& count)
{
    field = Trim(field);
    if (field.empty() || (field.back() != suffix && field.back() != suffix + ('a' - 'A'))) {
        return false;
    }
    bool complete = false;
    count = LeadingNumber<std::int32_t>(field.substr(0, field.size() - 1), &complete);
    return complete && count >= 0;
}

// "dd/mm/yyyy,hh:mm:ss.ssssss"
bool ParseTime(std::string_view line, CComtradeTime& time)
{
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) {
        return false;
    }
    const auto part = [](std::string_view text, char separator, int index) {
        for (int i = 0; i < index; ++i) {
            const std::size_t at = text.find(separator);
            text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
        }
        return text.substr(0, text.find(separator));
    };
    const std::string_view date = line.substr(0, comma);
    const std::string_view clock = line.substr(comma + 1);
    time.day = LeadingNumber<std::int32_t>(part(date, '/', 0));
    time.month = LeadingNumber<std::int32_t>(part(date, '/', 1));
    time.year = LeadingNumber<std::int32_t>(part(date, '/', 2));
    time.hour = LeadingNumber<std::int32_t>(part(clock, ':', 0));
    time.minute = LeadingNumber<std::int32_t>(part(clock, ':', 1));
    time.seconds = LeadingNumber<double>(part(clock, ':', 2));
    return true;
}

std::optional<std::filesystem::path> FindWithExtension(const std::filesystem::path& base, const wchar_t* extension)
{
    const std::filesystem::path folder = base.has_parent_path() ? base.parent_path() : std::filesystem::path(".");
    return platform::FindNoCase(folder, platform::FromPath(base.filename()) + extension);
}

inline std::int16_t Int16At(const std::uint8_t* p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

// Analog samples of binary records, `channels` channels from the first, each to its
// own output; the other fields are passed over.
void DecodeAnalog(const std::uint8_t* p, std::uint64_t record, std::uint64_t samples, const float* a, const float* b,
                  float* const* outputs, std::size_t channels)
{
    for (std::uint64_t i = 0; i < samples; ++i, p += record) {
        for (std::size_t c = 0; c < channels; ++c) {
            outputs[c][i] = static_cast<float>(Int16At(p + 2 * c)) * a[c] + b[c];
        }
    }
}

// The eight states of a byte of digital bits as floats, least significant bit first.
using BitFloats = std::array<float, 8>;
const std::array<BitFloats, 256>& BitTable()
{
    static const std::array<BitFloats, 256> table = [] {
        std::array<BitFloats, 256> bits{};
        for (unsigned byte = 0; byte < 256; ++byte) {
            for (unsigned k = 0; k < 8; ++k) {
                bits[byte][k] = static_cast<float>((byte >> k) & 1u);
            }
        }
        return bits;
    }();
    return table;
}

}  // namespace

int CComtradeFile::Open(const std::filesystem::path& base)
{
    Close();
    const auto cfg = FindWithExtension(base, L".CFG");
    if (!cfg) {
        return 0;
    }
    const auto text = platform::ReadFileBytes(*cfg);
    if (!text || !ParseConfiguration(*text)) {
        return 0;
    }
    m_A.clear();
    m_B.clear();
    for (const CComtradeAnalogChannel& channel : m_Analog) {
        m_A.push_back(channel.a);
        m_B.push_back(channel.b);
    }
    const auto dat = FindWithExtension(base, L".DAT");
    if (!dat || !m_Dat.Open(*dat)) {
        return 0;
    }
    if (m_Dat.Size() > 0) {
        m_View = m_Dat.Map(0, m_Dat.Size());
        if (m_View == nullptr) {
            m_Dat.Close();
            return 0;
        }
    }
    ReadSideFile(base, &m_InfFirst, &m_InfSecond);
    return 1;
}

void CComtradeFile::Close()
{
    m_Dat.Close();
    m_View = nullptr;
    m_A.clear();
    m_B.clear();
}

void CComtradeFile::ResetConfiguration()
{
    m_StationName = "NONE";
    m_DeviceId = "NONE";
    m_RevisionYear = 1999;
    m_TotalChannels = m_AnalogCount = m_DigitalCount = 0;
    m_Analog.clear();
    m_Digital.clear();
    m_LineFrequency = 50.0f;
    m_Rates.clear();
    m_TotalSamples = 0;
    m_FirstSample = CComtradeTime{};
    m_Trigger = CComtradeTime{};
    m_FileType = "ASCII";
    m_TimeMultiplier = 1.0f;
    m_InfFirst = m_InfSecond = -1;
}

bool CComtradeFile::ParseConfiguration(const std::string& text)
{
    ResetConfiguration();
    const Lines lines = SplitLines(text);
    std::size_t next = 0;
    const auto take = [&](std::string_view& line) {
        if (next >= lines.size()) {
            return false;
        }
        line = lines[next++];
        return true;
    };
    std::string_view line;
    if (!take(line) || Commas(line) != 2) {
        return false;
    }
    auto fields = SplitFields(line);
    m_StationName = std::string(fields[0]);
    m_DeviceId = std::string(fields[1]);
    const std::string_view year = Trim(fields[2]);
    bool numeric = false;
    const auto yearValue = LeadingNumber<std::int32_t>(year, &numeric);
    m_RevisionYear = year.empty() ? 1991 : (numeric ? yearValue : -1);

    if (!take(line) || Commas(line) != 2) {
        return false;
    }
    fields = SplitFields(line);
    bool complete = false;
    m_TotalChannels = LeadingNumber<std::int32_t>(fields[0], &complete);
    if (!complete || !CountWithSuffix(fields[1], 'A', m_AnalogCount) ||
        !CountWithSuffix(fields[2], 'D', m_DigitalCount) ||
        static_cast<std::int64_t>(m_TotalChannels) != std::int64_t{m_AnalogCount} + m_DigitalCount) {
        return false;
    }
    if (static_cast<std::uint64_t>(m_TotalChannels) > lines.size()) {
        return false;  // more channels than lines: the file cannot hold them
    }

    for (std::int32_t i = 1; i <= m_AnalogCount; ++i) {
        if (!take(line) || Commas(line) != 12) {
            return false;
        }
        fields = SplitFields(line);
        if (LeadingNumber<std::int32_t>(fields[0]) != i) {
            return false;
        }
        CComtradeAnalogChannel channel;
        channel.number = std::string(fields[0]);
        channel.id = std::string(fields[1]);
        channel.phase = std::string(fields[2]);
        channel.component = std::string(fields[3]);
        channel.unit = std::string(Trim(fields[4]));
        channel.a = LeadingNumber<float>(fields[5]);
        channel.b = LeadingNumber<float>(fields[6]);
        channel.skew = LeadingNumber<float>(fields[7]);
        channel.min = LeadingNumber<std::int32_t>(fields[8]);
        channel.max = LeadingNumber<std::int32_t>(fields[9]);
        channel.primary = LeadingNumber<float>(fields[10]);
        channel.secondary = LeadingNumber<float>(fields[11]);
        const std::string_view flag = Trim(fields[12]);
        if (!flag.empty()) {
            channel.primarySecondary = flag.front();
        }
        m_Analog.push_back(std::move(channel));
    }
    for (std::int32_t i = 1; i <= m_DigitalCount; ++i) {
        if (!take(line) || Commas(line) != 4) {
            return false;
        }
        fields = SplitFields(line);
        if (LeadingNumber<std::int32_t>(fields[0]) != i) {
            return false;
        }
        CComtradeDigitalChannel channel;
        channel.number = std::string(fields[0]);
        channel.id = std::string(fields[1]);
        channel.phase = std::string(fields[2]);
        channel.component = std::string(fields[3]);
        channel.normalState = LeadingNumber<std::int32_t>(fields[4]);
        m_Digital.push_back(std::move(channel));
    }

    // The line frequency, then the number of rates; a line with a comma here means
    // both are missing and the rate count stands on the line before.
    std::int32_t rateCount = 0;
    if (!take(line)) {
        return false;
    }
    if (Commas(line) == 0) {
        m_LineFrequency = LeadingNumber<float>(line);
        if (!take(line)) {
            return false;
        }
        rateCount = LeadingNumber<std::int32_t>(line);
    } else {
        rateCount = LeadingNumber<std::int32_t>(lines[next - 2]);
        --next;
    }
    if (rateCount < 0 || static_cast<std::uint64_t>(rateCount) > lines.size() - next) {
        return false;
    }
    for (std::int32_t i = 0; i < rateCount; ++i) {
        take(line);
        const std::size_t comma = line.find(',');
        CComtradeSampleRate rate;
        rate.rate = LeadingNumber<float>(line.substr(0, comma));
        rate.lastSample = comma == std::string_view::npos ? 0 : LeadingNumber<std::int32_t>(line.substr(comma + 1));
        m_TotalSamples += static_cast<std::uint64_t>(std::max<std::int32_t>(rate.lastSample, 0));
        m_Rates.push_back(rate);
    }

    if (!take(line) || !ParseTime(line, m_FirstSample) || !take(line) || !ParseTime(line, m_Trigger)) {
        return false;
    }
    if (!take(line)) {
        return false;
    }
    m_FileType = std::string(line);
    if (m_FileType != "ASCII" && m_FileType != "ascii" && m_FileType != "BINARY" && m_FileType != "binary") {
        return false;
    }
    if (!take(line)) {
        return false;
    }
    m_TimeMultiplier = LeadingNumber<float>(line);
    return true;
}

void CComtradeFile::ReadSideFile(const std::filesystem::path& base, std::int32_t* first, std::int32_t* second)
{
    *first = -1;
    *second = -1;
    const auto file = FindWithExtension(base, L".INF");
    if (!file) {
        return;
    }
    const auto text = platform::ReadFileBytes(*file);
    if (!text) {
        return;
    }
    const Lines lines = SplitLines(*text);
    const auto value = [&](std::size_t index) {
        if (index >= lines.size()) {
            return std::int32_t{-1};
        }
        const std::size_t equal = lines[index].find('=');
        if (equal == std::string_view::npos) {
            return std::int32_t{-1};
        }
        bool complete = false;
        const auto number = LeadingNumber<std::int32_t>(lines[index].substr(equal + 1), &complete);
        return complete ? number : std::int32_t{-1};
    };
    *first = value(2);
    *second = value(4);
}

std::uint64_t CComtradeFile::GetSamplesInData() const
{
    const std::uint64_t analog = static_cast<std::uint64_t>(m_AnalogCount);
    const std::uint64_t digital = static_cast<std::uint64_t>(m_DigitalCount);
    if (IsBinary()) {
        return m_Dat.Size() / BinaryRecordBytes();
    }
    // Every field takes at least one character and one separator.
    return m_Dat.Size() / (2 * (2 + analog + digital));
}

bool CComtradeFile::IsIncomplete() const
{
    return !m_Rates.empty() && m_Rates.front().lastSample > 0 &&
           GetSamplesInData() < static_cast<std::uint64_t>(m_Rates.front().lastSample);
}

int CComtradeFile::ReadSamples(float rate, float* destination, std::uint64_t capacity, std::uint64_t* samplesRead)
{
    std::uint64_t count = 0;
    if (!BeginSamples(rate, &count) || count > capacity || destination == nullptr) {
        return 0;
    }
    std::uint64_t read = 0;
    while (read < count) {
        const std::uint64_t got = ReadMore(destination + read * Width(), count - read);
        if (got == 0) {
            break;
        }
        read += got;
    }
    if (samplesRead != nullptr) {
        *samplesRead = read;
    }
    return 1;
}

bool CComtradeFile::BeginSamples(float rate, std::uint64_t* count)
{
    std::uint64_t first = 0;
    const CComtradeSampleRate* section = nullptr;
    for (const CComtradeSampleRate& candidate : m_Rates) {
        if (std::abs(candidate.rate - rate) < 0.000001f) {
            section = &candidate;
            break;
        }
        first += static_cast<std::uint64_t>(std::max<std::int32_t>(candidate.lastSample, 0));
    }
    m_SectionLeft = 0;
    if (section == nullptr || section->lastSample < 1) {
        return false;
    }
    *count = static_cast<std::uint64_t>(section->lastSample);
    m_SectionLeft = m_View != nullptr ? *count : 0;
    m_NextSample = first;
    m_NextByte = 0;
    if (!IsBinary() && m_View != nullptr) {
        // The sample lines of earlier sections come first.
        const std::uint64_t size = m_Dat.Size();
        for (std::uint64_t skipped = 0; skipped < first && m_NextByte < size; ++skipped) {
            while (m_NextByte < size && (m_View[m_NextByte] == '\r' || m_View[m_NextByte] == '\n')) {
                ++m_NextByte;
            }
            while (m_NextByte < size && m_View[m_NextByte] != '\r' && m_View[m_NextByte] != '\n') {
                ++m_NextByte;
            }
        }
    }
    return true;
}

std::uint64_t CComtradeFile::ReadMore(float* destination, std::uint64_t count)
{
    count = std::min(count, m_SectionLeft);
    if (count == 0 || destination == nullptr) {
        return 0;
    }
    const std::uint64_t read = IsBinary() ? ReadBinary(count, destination) : ReadAscii(count, destination);
    m_SectionLeft = read < count ? 0 : m_SectionLeft - read;
    return read;
}

std::uint64_t CComtradeFile::ReadAnalog(std::span<float* const> outputs, std::uint64_t count)
{
    count = std::min(count, m_SectionLeft);
    const std::size_t channels = std::min(outputs.size(), static_cast<std::size_t>(m_AnalogCount));
    if (count == 0 || outputs.empty()) {
        return 0;
    }
    std::uint64_t read = 0;
    if (IsBinary()) {
        read = ReadBinaryAnalog(outputs.first(channels), count);
    } else {
        // Lines are parsed whole, a few thousand at a time, then taken apart.
        constexpr std::uint64_t kLinesAtOnce = 4096;
        const std::size_t width = Width();
        while (read < count) {
            const std::uint64_t want = std::min(count - read, kLinesAtOnce);
            m_Lines.resize(static_cast<std::size_t>(want) * width);
            const std::uint64_t got = ReadAscii(want, m_Lines.data());
            for (std::size_t c = 0; c < channels; ++c) {
                const float* in = m_Lines.data() + c;
                float* out = outputs[c] + read;
                for (std::uint64_t i = 0; i < got; ++i) {
                    out[i] = in[i * width];
                }
            }
            read += got;
            if (got < want) {
                break;
            }
        }
    }
    m_SectionLeft = read < count ? 0 : m_SectionLeft - read;
    return read;
}

std::uint64_t CComtradeFile::BinaryRecordBytes() const
{
    return 8 + 2 * (static_cast<std::uint64_t>(m_AnalogCount) + (static_cast<std::uint64_t>(m_DigitalCount) + 15) / 16);
}

std::uint64_t CComtradeFile::ReadBinaryAnalog(std::span<float* const> outputs, std::uint64_t count)
{
    const std::uint64_t record = BinaryRecordBytes();
    const std::uint64_t end = std::min(m_NextSample + count, m_Dat.Size() / record);
    const std::uint64_t read = end > m_NextSample ? end - m_NextSample : 0;
    const std::uint8_t* first = m_View + m_NextSample * record + 8;
    DecodeAnalog(first, record, read, m_A.data(), m_B.data(), outputs.data(), outputs.size());
    m_NextSample += read;
    return read;
}

std::uint64_t CComtradeFile::ReadBinary(std::uint64_t count, float* destination)
{
    const auto analog = static_cast<std::size_t>(m_AnalogCount);
    const auto digital = static_cast<std::size_t>(m_DigitalCount);
    const std::size_t width = analog + digital;
    const std::uint64_t record = BinaryRecordBytes();
    const std::uint64_t available = m_Dat.Size() / record;
    const std::uint64_t end = std::min(m_NextSample + count, available);
    const float* a = m_A.data();
    const float* b = m_B.data();
    const auto& table = BitTable();
    std::uint64_t read = 0;
    for (std::uint64_t i = m_NextSample; i < end; ++i, ++read) {
        const std::uint8_t* p = m_View + i * record + 8;
        float* out = destination + read * width;
        for (std::size_t c = 0; c < analog; ++c) {
            out[c] = static_cast<float>(Int16At(p + 2 * c)) * a[c] + b[c];
        }
        const std::uint8_t* bytes = p + 2 * analog;
        float* bitsOut = out + analog;
        std::size_t d = 0;
        for (; d + 8 <= digital; d += 8) {
            std::memcpy(bitsOut + d, table[bytes[d / 8]].data(), sizeof(BitFloats));
        }
        for (; d < digital; ++d) {
            bitsOut[d] = table[bytes[d / 8]][d % 8];
        }
    }
    m_NextSample += read;
    return read;
}

std::uint64_t CComtradeFile::ReadAscii(std::uint64_t count, float* destination)
{
    const auto analog = static_cast<std::size_t>(m_AnalogCount);
    const auto digital = static_cast<std::size_t>(m_DigitalCount);
    const char* const begin = reinterpret_cast<const char*>(m_View);
    const char* const end = begin + m_Dat.Size();
    const char* p = begin + m_NextByte;
    const auto endOfLine = [&] { return p >= end || *p == '\r' || *p == '\n'; };
    // The next field of the current line as [start, stop); false when the line has
    // no more fields.
    const auto field = [&](const char*& start, const char*& stop, bool firstField) {
        if (!firstField) {
            if (p >= end || *p != ',') {
                return false;
            }
            ++p;
        }
        start = p;
        while (p < end && *p != ',' && *p != '\r' && *p != '\n') {
            ++p;
        }
        stop = p;
        return true;
    };
    const auto integer = [](const char* start, const char* stop) {
        while (start < stop && (*start == ' ' || *start == '\t')) {
            ++start;
        }
        bool negative = false;
        if (start < stop && (*start == '-' || *start == '+')) {
            negative = *start == '-';
            ++start;
        }
        std::int64_t value = 0;
        while (start < stop && *start >= '0' && *start <= '9' && value < (std::int64_t{1} << 40)) {
            value = value * 10 + (*start - '0');
            ++start;
        }
        return negative ? -value : value;
    };
    std::uint64_t read = 0;
    bool malformed = false;
    for (; read < count && !malformed; ++read) {
        while (p < end && (*p == '\r' || *p == '\n')) {
            ++p;
        }
        if (p >= end) {
            break;
        }
        float* out = destination + read * (analog + digital);
        const char* start = nullptr;
        const char* stop = nullptr;
        malformed = !field(start, stop, true) || !field(start, stop, false);
        for (std::size_t c = 0; c < analog && !malformed; ++c) {
            malformed = !field(start, stop, false);
            if (!malformed) {
                out[c] = static_cast<float>(integer(start, stop)) * m_A[c] + m_B[c];
            }
        }
        for (std::size_t d = 0; d < digital && !malformed; ++d) {
            malformed = !field(start, stop, false) || stop - start != 1;
            if (!malformed) {
                out[analog + d] = *start > '0' && *start <= '9' ? 1.0f : 0.0f;
            }
        }
        if (malformed) {
            break;
        }
        while (!endOfLine()) {
            ++p;
        }
    }
    m_NextByte = static_cast<std::uint64_t>(p - begin);
    return read;
}
