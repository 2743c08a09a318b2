#include "terminal/HarmDataCollector.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <cwctype>
#include <fstream>
#include <limits>
#include <map>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "terminal/StatCube.h"

namespace fs = std::filesystem;

namespace {

std::atomic<IHarmDataCollector*> g_installed{nullptr};

// Every third value of an interval record is one statistic of one phase; a record of
// P phases is 3 × P little-endian float32 values.
constexpr std::uint64_t kRecordBytesPerPhase = 12;
// The terminal writes this for an interval it could not measure.
constexpr float kNoValue = -5368709.0f;

bool IsValue(float value)
{
    return std::isfinite(value) && std::fabs(value - kNoValue) >= 0.01f;
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
    if (values.empty()) {
        return 0.0f;
    }
    const float rank = static_cast<float>(values.size()) * 0.95f + 0.5f;
    const std::size_t index = std::clamp<std::size_t>(static_cast<std::size_t>(rank), 1, values.size()) - 1;
    // Only the element at the rank is needed, not the whole order.
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
    const auto& families = CStatCube::Families();
    // The voltage harmonics first, all of their orders; then every other family its
    // lower 25 orders before any family gets a higher one.
    for (std::uint32_t type = 0; type < families[0].typeCount; ++type) {
        CollectItem(query, index, *cube, 0, type, 0, 25, mask, stop);
    }
    for (std::uint32_t type = 0; type < families[0].typeCount; ++type) {
        CollectItem(query, index, *cube, 0, type, 25, static_cast<int>(families[0].orderCount), mask, stop);
    }
    for (const auto& [first, last] : {std::pair{0, 25}, std::pair{25, 50}}) {
        for (std::uint32_t type = 0; type < 3; ++type) {
            for (std::size_t family = 1; family < families.size(); ++family) {
                CollectItem(query, index, *cube, family, type, first, last, mask, stop);
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

void CHarmDataCollector::CollectItem(const Query& query, FolderIndex& index, CStatCube& cube, std::size_t family, std::uint32_t type,
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
        const std::optional<std::vector<float>> values = ReadItemData(query, index, BuildItemName(name, type, order + 1), phases);
        if (values) {
            const std::size_t records = values->size() / (3 * static_cast<std::size_t>(phases));
            for (std::uint32_t phase = 0; phase < phases; ++phase) {
                if ((mask & (1u << phase)) == 0) {
                    continue;
                }
                CStatValue cell;
                std::vector<float> averages;
                averages.reserve(records);
                for (std::size_t r = 0; r < records; ++r) {
                    const float* record = values->data() + r * 3 * phases;
                    const float maximum = record[phase];
                    const float minimum = record[phases + phase];
                    const float average = record[2 * phases + phase];
                    // An interval the terminal could not measure is no value; taking its
                    // marker as a value would make it every family's minimum.
                    if (IsValue(maximum) && maximum > cell.maximum) {
                        cell.maximum = maximum;
                    }
                    if (IsValue(minimum) && minimum < cell.minimum) {
                        cell.minimum = minimum;
                    }
                    if (IsValue(average)) {
                        cell.sum += average;
                        averages.push_back(average);
                    }
                }
                cell.count = static_cast<std::uint32_t>(averages.size());
                cell.percentile95 = ComputeCp95(std::move(averages));
                cell.valid = cell.count != 0 ? 1 : 0;
                cube.SetCell(static_cast<std::uint32_t>(family), type, static_cast<std::uint32_t>(order), phase, cell);
            }
        }
        if (!HasOrders(name)) {
            break;
        }
    }
}

std::optional<std::vector<float>> CHarmDataCollector::ReadItemData(const Query& query, FolderIndex& index,
                                                                   const std::wstring& name, std::uint32_t phaseCount)
{
    const std::optional<fs::path> file = index.Find(name + L".data");
    if (!file) {
        return std::nullopt;
    }
    const std::uint64_t first = query.range.FirstBlock;
    const std::uint64_t count = query.range.BlockNum;
    if (count == 0 || first == query.range.EndBlock) {
        return std::vector<float>();
    }
    std::ifstream in(*file, std::ios::binary);
    std::error_code error;
    const std::uintmax_t size = fs::file_size(*file, error);
    if (!in || error) {
        return std::nullopt;
    }
    m_FileReads.fetch_add(1);
    const std::uint64_t recordBytes = kRecordBytesPerPhase * phaseCount;
    // An offset that does not fit 64 bits lies past any file.
    if (first > std::numeric_limits<std::uint64_t>::max() / recordBytes || first * recordBytes > size) {
        return std::nullopt;
    }
    const std::uint64_t offset = first * recordBytes;
    const std::uint64_t available = size - offset;
    const std::uint64_t length =
        count > available / recordBytes ? available - available % 4 : count * recordBytes;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::uint64_t>(in.gcount()) != length) {
        return std::nullopt;
    }
    std::vector<float> values(bytes.size() / 4);
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::uint32_t bits = 0;
        for (int b = 3; b >= 0; --b) {
            bits = (bits << 8) | static_cast<unsigned char>(bytes[i * 4 + static_cast<std::size_t>(b)]);
        }
        values[i] = std::bit_cast<float>(bits);
    }
    return values;
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
