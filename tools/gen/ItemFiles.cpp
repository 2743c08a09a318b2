#include "tools/gen/ItemFiles.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>

#include "tools/gen/StatisticValues.h"

namespace gen {

namespace {

struct Family {
    std::uint32_t first;
    std::uint32_t last;
    const char* stem;
};

constexpr Family kFamilies[] = {
    {25, 74, "ESIN_V_HARM_"},      {75, 124, "ESIN_V_INHARM_"},   {125, 159, "ESIN_V_HIHARM_"},
    {160, 209, "ESIN_V_SUBHARM_"}, {212, 261, "ESIN_A_HARM_"},    {262, 311, "ESIN_A_INHARM_"},
    {312, 346, "ESIN_A_HIHARM_"},  {347, 396, "ESIN_A_SUBHARM_"}, {399, 448, "ESIN_W_HARM_"},
};

std::string ItemName(std::uint32_t id)
{
    static const std::map<std::uint32_t, const char*> singles = {
        {1, "ESIN_VRMS"},     {2, "ESIN_VAVG"},      {3, "ESIN_VPK_POS"},  {4, "ESIN_VPK_NEG"},
        {5, "ESIN_VRMS_HALF"}, {6, "ESIN_V_CF"},     {7, "ESIN_FREQ"},     {8, "ESIN_ARMS"},
        {9, "ESIN_AAVG"},     {10, "ESIN_APK_POS"},  {11, "ESIN_APK_NEG"}, {12, "ESIN_ARMS_HALF"},
        {13, "ESIN_A_CF"},    {14, "ESIN_W"},        {15, "ESIN_VA"},      {16, "ESIN_VAR"},
        {17, "ESIN_PF"},      {18, "ESIN_DPF"},      {19, "ESIN_WH"},      {20, "ESIN_VAH"},
        {21, "ESIN_VARH"},    {22, "ESIN_A_KF"},     {23, "ESIN_V_THD"},   {24, "ESIN_V_DC"},
        {210, "ESIN_A_THD"},  {211, "ESIN_A_DC"},    {397, "ESIN_W_THD"},  {398, "ESIN_W_DC"},
        {449, "ESIN_PST"},    {450, "ESIN_PLT"},     {451, "ESIN_ST"},     {452, "ESIN_FLUCT"},
        {453, "ESIN_FLUCT_MAX"}, {454, "ESIN_DT"},   {455, "ESIN_V_POS"},  {456, "ESIN_V_NEG"},
        {457, "ESIN_V_ZERO"}, {458, "ESIN_A_POS"},   {459, "ESIN_A_NEG"},  {460, "ESIN_A_ZERO"},
        {461, "ESIN_UNBAL"},
    };
    if (const auto single = singles.find(id); single != singles.end()) {
        return single->second;
    }
    for (const Family& family : kFamilies) {
        if (id >= family.first && id <= family.last) {
            return family.stem + std::to_string(id - family.first + 1);
        }
    }
    return {};
}

}  // namespace

std::uint32_t ItemKinds(std::uint32_t id)
{
    if ((id >= 25 && id <= 74) || (id >= 212 && id <= 261) || (id >= 399 && id <= 448)) {
        return 3;
    }
    if (id == 24 || id == 211 || id == 398 || (id >= 75 && id <= 209) || (id >= 262 && id <= 396)) {
        return 2;
    }
    return 1;
}

std::vector<std::string> ItemFileNames(std::uint32_t id)
{
    const std::string name = ItemName(id);
    if (name.empty()) {
        return {};
    }
    const std::uint32_t kinds = ItemKinds(id);
    if (kinds == 1) {
        return {name};
    }
    std::vector<std::string> names;
    for (const char* suffix : {"_EFF", "_RAT", "_PHA"}) {
        if (names.size() < kinds) {
            names.push_back(name + suffix);
        }
    }
    return names;
}

bool WriteItemFiles(const std::filesystem::path& itemFolder, const StatisticFolderOptions& options)
{
    std::error_code error;
    std::filesystem::create_directories(itemFolder, error);
    if (error) {
        return false;
    }
    const ValueSource source(options);
    for (const std::uint32_t item : options.items) {
        const std::vector<std::string> names = ItemFileNames(item);
        if (names.empty()) {
            return false;
        }
        const std::uint32_t channels = ItemFloats(item) / static_cast<std::uint32_t>(names.size());
        const std::uint32_t first = FloatIndexOf(options.items, item);
        for (std::uint32_t kind = 0; kind < names.size(); ++kind) {
            std::string bytes;
            bytes.reserve(static_cast<std::size_t>(options.records) * 3 * channels * 4);
            for (std::uint64_t r = 0; r < options.records; ++r) {
                const bool noValue = std::find(options.noValueRecords.begin(), options.noValueRecords.end(), r) !=
                                     options.noValueRecords.end();
                for (std::uint32_t type = 0; type < 3; ++type) {
                    for (std::uint32_t c = 0; c < channels; ++c) {
                        const float value =
                            noValue ? kNoValueSample : source.At(r, type, first + kind * channels + c);
                        std::uint32_t bits;
                        std::memcpy(&bits, &value, 4);
                        for (int b = 0; b < 4; ++b) {
                            bytes.push_back(static_cast<char>(bits >> (8 * b)));
                        }
                    }
                }
            }
            std::ofstream out(itemFolder / (names[kind] + ".data"), std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace gen
