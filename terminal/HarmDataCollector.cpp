#include "terminal/HarmDataCollector.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <cwctype>
#include <limits>
#include <map>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/PositionalFile.h"
#include "terminal/StatCube.h"

namespace fs = std::filesystem;

namespace {

std::atomic<IHarmDataCollector*> g_installed{nullptr};

// Every third value of an interval record is one statistic of one phase; a record of
// P phases is 3 × P little-endian float32 values.
constexpr std::uint64_t kRecordBytesPerPhase = 12;
// The terminal writes this for an interval it could not measure.
constexpr float kNoValue = -5368709.0f;

// Finite and not the marker. (Floats this near the marker lie 0.5 apart, so "not
// within 0.01 of it" is "not equal to it".)
bool IsValue(float value)
{
    return (std::bit_cast<std::uint32_t>(value) & 0x7F800000u) != 0x7F800000u && value != kNoValue;
}

bool IsSingleValued(std::wstring_view family)
{
    return family == L"ESIN_A_KF" || family == L"ESIN_V_THD" || family == L"ESIN_V_DC" || family == L"ESIN_A_THD" ||
           family == L"ESIN_A_DC" || family == L"ESIN_W_THD" || family == L"ESIN_W_DC";
}

bool HasNoTypeSuffix(std::wstring_view family)
{
    return family == L"ESIN_A_KF" || family == L"ESIN_V_THD" || family == L"ESIN_A_THD" || family == L"ESIN_W_THD";
}

// The extremes, sum, count and 95 % value of every phase over `records` interval
// records of P phases (3 x P floats each: the maxima, minima and averages of the
// phases). An interval the terminal could not measure is no value; taking its marker
// as a value would make it every family's minimum. The loops have no branches, so
// that the compiler makes vector code of the extremes; each phase's valid averages
// are packed into its own stretch of `averages` (P x records floats) for its 95 %
// value.
template <std::uint32_t P>
std::array<CStatValue, P> Summarise(const float* values, std::size_t records, float* averages)
{
    std::array<CStatValue, P> cells{};
    std::array<float, P> maximum{};
    std::array<float, P> minimum{};
    for (std::uint32_t p = 0; p < P; ++p) {
        maximum[p] = cells[p].maximum;
        minimum[p] = cells[p].minimum;
    }
    const float* record = values;
    for (std::size_t r = 0; r < records; ++r, record += 3 * P) {
        for (std::uint32_t p = 0; p < P; ++p) {
            const float high = record[p];
            const float low = record[P + p];
            maximum[p] = IsValue(high) && high > maximum[p] ? high : maximum[p];
            minimum[p] = IsValue(low) && low < minimum[p] ? low : minimum[p];
        }
    }
    for (std::uint32_t p = 0; p < P; ++p) {
        float* packed = averages + p * records;
        double sum = 0.0;
        std::size_t count = 0;
        const float* average = values + 2 * P + p;
        for (std::size_t r = 0; r < records; ++r, average += 3 * P) {
            const bool valued = IsValue(*average);
            sum = valued ? sum + *average : sum;
            packed[count] = *average;
            count += valued ? 1 : 0;
        }
        CStatValue& cell = cells[p];
        cell.maximum = maximum[p];
        cell.minimum = minimum[p];
        cell.sum = sum;
        cell.count = static_cast<std::uint32_t>(count);
        cell.percentile95 = CHarmDataCollector::ComputeCp95InPlace(std::span<float>(packed, count));
        cell.valid = count != 0 ? 1 : 0;
    }
    return cells;
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return text;
}

}  // namespace

// The item files of one folder by their lower-cased names, listed once per
// collection: terminal folders come from FAT drives, so names may differ in case.
class CHarmDataCollector::FolderIndex {
public:
    explicit FolderIndex(const std::wstring& folder) : m_Folder(platform::ToPath(folder)) {}

    std::optional<fs::path> Find(const std::wstring& fileName)
    {
        std::error_code error;
        fs::path exact = m_Folder / platform::ToPath(fileName);
        if (fs::is_regular_file(exact, error)) {
            return exact;
        }
        if (!m_Listed) {
            m_Listed = true;
            for (const fs::directory_entry& entry : platform::ListSorted(m_Folder)) {
                m_Names.emplace(Lower(platform::FromPath(entry.path().filename())), entry.path());
            }
        }
        const auto found = m_Names.find(Lower(fileName));
        return found != m_Names.end() ? std::optional<fs::path>(found->second) : std::nullopt;
    }

private:
    fs::path m_Folder;
    bool m_Listed = false;
    std::map<std::wstring, fs::path> m_Names;  // first in sorted order wins
};

// The buffers of one collection, reused from item file to item file: a fresh buffer
// per file, cleared and then faulted in page by page, cost many times the reading.
struct CHarmDataCollector::Buffers {
    std::vector<float> values;
    std::vector<float> averages;
};

CHarmDataCollector& CHarmDataCollector::GetInstance()
{
    static CHarmDataCollector collector;
    return collector;
}

void CHarmDataCollector::SetDataFolder(const std::wstring& folder)
{
    const std::lock_guard lock(m_QueryLock);
    m_Query.folder = folder;
}

void CHarmDataCollector::SetQuery(const CRecordRange& range)
{
    const std::lock_guard lock(m_QueryLock);
    m_Query.range = range;
}

void CHarmDataCollector::SetPhaseMask(std::uint32_t mask)
{
    const std::lock_guard lock(m_QueryLock);
    m_Query.phaseMask = mask;
}

void CHarmDataCollector::Clear()
{
    const std::lock_guard lock(m_PublishLock);
    ++m_Generation;
    m_Cube.store(nullptr);
}

std::wstring CHarmDataCollector::BuildItemName(const std::wstring& family, std::uint32_t type, int order)
{
    std::wstring name = family;
    if (!IsSingleValued(family)) {
        name += L"_" + std::to_wstring(order);
    }
    if (!HasNoTypeSuffix(family)) {
        static const wchar_t* const suffixes[] = {L"_EFF", L"_RAT", L"_PHA"};
        if (type < 3) {
            name += suffixes[type];
        }
    }
    return name;
}

bool CHarmDataCollector::HasOrders(const std::wstring& family)
{
    return !IsSingleValued(family);
}

float CHarmDataCollector::ComputeCp95(std::vector<float> values)
{
    return ComputeCp95InPlace(values);
}

float CHarmDataCollector::ComputeCp95InPlace(std::span<float> values)
{
    if (values.empty()) {
        return 0.0f;
    }
    const float rank = static_cast<float>(values.size()) * 0.95f + 0.5f;
    const std::size_t index = std::clamp<std::size_t>(static_cast<std::size_t>(rank), 1, values.size()) - 1;
    // Only the element at the rank is needed, not the whole order. For many values a
    // threshold a little below the rank, taken from a sample of them, leaves a few
    // hundred values at or above it among which the element is chosen; all the
    // others are only counted.
    constexpr std::size_t kSampled = 128;
    constexpr std::size_t kMargin = 8;  // sample ranks: about three standard deviations
    const std::size_t n = values.size();
    if (n > 4 * kSampled) {
        thread_local std::vector<float> t_kept;
        std::vector<float>& kept = t_kept;
        kept.clear();
        const std::size_t step = n / kSampled;
        for (std::size_t i = 0; i < n; i += step) {
            kept.push_back(values[i]);
        }
        const std::size_t estimate = index * kept.size() / n;
        const std::size_t pick = estimate > kMargin ? estimate - kMargin : 0;
        std::nth_element(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(pick), kept.end());
        const float threshold = kept[pick];
        // Without branches: every value is written, those at or above the threshold
        // stay. Values equal over long stretches (a ratio of the fundamental to itself)
        // may put most of them there: then the plain selection is as quick.
        kept.resize(n);
        std::size_t count = 0;
        for (const float value : values) {
            kept[count] = value;
            count += value < threshold ? 0 : 1;
        }
        const std::size_t below = n - count;
        if (count <= n / 4 && below <= index && index - below < count) {
            const auto at = kept.begin() + static_cast<std::ptrdiff_t>(index - below);
            std::nth_element(kept.begin(), at, kept.begin() + static_cast<std::ptrdiff_t>(count));
            return *at;
        }
    }
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
    return values[index];
}

void CHarmDataCollector::CollectItems(IDataModel* source, std::stop_token stop)
{
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(m_PublishLock);
        generation = ++m_Generation;
        m_Cube.store(nullptr);
    }
    Query query;
    {
        const std::lock_guard lock(m_QueryLock);
        query = m_Query;
    }
    const std::uint32_t mask = source != nullptr ? query.phaseMask : 15;
    auto cube = std::make_shared<CStatCube>();
    FolderIndex index(query.folder);
    Buffers buffers;
    const auto& families = CStatCube::Families();
    // The voltage harmonics first, all of their orders; then every other family its
    // lower 25 orders before any family gets a higher one.
    for (std::uint32_t type = 0; type < families[0].typeCount; ++type) {
        CollectItem(query, index, buffers, *cube, 0, type, 0, 25, mask, stop);
    }
    for (std::uint32_t type = 0; type < families[0].typeCount; ++type) {
        CollectItem(query, index, buffers, *cube, 0, type, 25, static_cast<int>(families[0].orderCount), mask, stop);
    }
    for (const auto& [first, last] : {std::pair{0, 25}, std::pair{25, 50}}) {
        for (std::uint32_t type = 0; type < 3; ++type) {
            for (std::size_t family = 1; family < families.size(); ++family) {
                CollectItem(query, index, buffers, *cube, family, type, first, last, mask, stop);
            }
        }
    }
    if (stop.stop_requested()) {
        return;  // a stopped collection publishes nothing
    }
    cube->ready = 1;
    // A clear while this collection ran belongs to newer data: its result is stale.
    const std::lock_guard lock(m_PublishLock);
    if (generation == m_Generation) {
        m_Cube.store(std::move(cube));
    }
}

void CHarmDataCollector::CollectItem(const Query& query, FolderIndex& index, Buffers& buffers, CStatCube& cube,
                                     std::size_t family, std::uint32_t type,
                                     int first, int last, std::uint32_t mask, const std::stop_token& stop)
{
    const CHarmFamily& shape = CStatCube::Families()[family];
    const int orders = static_cast<int>(shape.orderCount);
    if (first < 0 || last < 0 || last < first || first > orders || type >= shape.typeCount) {
        return;
    }
    last = std::min(last, orders);
    const std::wstring name(shape.name);
    const std::uint32_t phases = shape.phaseCount;
    for (int order = first; order < last; ++order) {
        if (stop.stop_requested()) {
            return;
        }
        std::vector<float>& values = buffers.values;
        if (ReadItemData(query, index, BuildItemName(name, type, order + 1), phases, values)) {
            const std::size_t records = values.size() / (3 * static_cast<std::size_t>(phases));
            std::vector<float>& averages = buffers.averages;
            averages.resize(records * phases);
            const auto store = [&](const auto& cells) {
                for (std::uint32_t phase = 0; phase < cells.size(); ++phase) {
                    if ((mask & (1u << phase)) != 0) {
                        cube.SetCell(static_cast<std::uint32_t>(family), type, static_cast<std::uint32_t>(order), phase,
                                     cells[phase]);
                    }
                }
            };
            if (phases == 4) {
                store(Summarise<4>(values.data(), records, averages.data()));
            } else if (phases == 3) {
                store(Summarise<3>(values.data(), records, averages.data()));
            }
        }
        if (!HasOrders(name)) {
            break;
        }
    }
}

bool CHarmDataCollector::ReadItemData(const Query& query, FolderIndex& index, const std::wstring& name,
                                      std::uint32_t phaseCount, std::vector<float>& values)
{
    values.clear();
    const std::optional<fs::path> file = index.Find(name + L".data");
    if (!file) {
        return false;
    }
    const std::uint64_t first = query.range.FirstBlock;
    const std::uint64_t count = query.range.BlockNum;
    if (count == 0 || first == query.range.EndBlock) {
        return true;
    }
    const platform::PositionalFile in(*file);
    if (!in.IsOpen()) {
        return false;
    }
    const std::uint64_t size = in.Size();
    m_FileReads.fetch_add(1);
    const std::uint64_t recordBytes = kRecordBytesPerPhase * phaseCount;
    // An offset that does not fit 64 bits lies past any file.
    if (first > std::numeric_limits<std::uint64_t>::max() / recordBytes || first * recordBytes > size) {
        return false;
    }
    const std::uint64_t offset = first * recordBytes;
    const std::uint64_t available = size - offset;
    const std::uint64_t length =
        count > available / recordBytes ? available - available % 4 : count * recordBytes;
    if (length / 4 > values.max_size()) {
        return false;
    }
    // The little-endian floats of the file are read straight into the buffer.
    values.resize(static_cast<std::size_t>(length / 4));
    if (in.ReadAt(offset, values.data(), static_cast<std::size_t>(length)) != length) {
        values.clear();
        return false;
    }
    if constexpr (std::endian::native == std::endian::big) {
        for (float& value : values) {
            value = std::bit_cast<float>(__builtin_bswap32(std::bit_cast<std::uint32_t>(value)));
        }
    }
    return true;
}

IHarmDataCollector* GetHarmDataCollector()
{
    IHarmDataCollector* installed = g_installed.load();
    return installed != nullptr ? installed : &CHarmDataCollector::GetInstance();
}

void SetHarmDataCollector(IHarmDataCollector* collector)
{
    g_installed.store(collector);
}
