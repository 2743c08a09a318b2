#include "export/ComtradeTabulist.h"

#include <cstdio>

#include "export/ExportTexts.h"
#include "terminal/ZVDataManager.h"

namespace {

constexpr int kCurrent = 1;
constexpr int kVoltage = 2;

// Channels in one group have rising order keys; a key that does not rise starts the
// next group. The key 4 (no phase) never closes a group.
std::vector<std::pair<std::size_t, std::size_t>> GroupByOrderKey(const ExportSource& source)
{
    std::vector<std::pair<std::size_t, std::size_t>> groups;
    const std::size_t channels = source.Channels();
    std::size_t start = 0;
    int previous = 4;
    for (std::size_t i = 0; i < channels; ++i) {
        const int key = source.keys[i].phase;
        if (previous != 4 && key <= previous) {
            groups.emplace_back(start, i);
            start = i;
        }
        previous = key;
    }
    if (channels > 0) {
        groups.emplace_back(start, channels);
    }
    return groups;
}

std::wstring Title(unsigned textId, const wchar_t* unit)
{
    return ExportText(textId) + L"(" + ExportText(exporttext::kUnit) + L": " + unit + L")";
}

}  // namespace

bool CComtradeTabulist::HasFewChannels(ISimpleDataManager* supplier)
{
    double value = 0.0;
    return supplier == nullptr || !supplier->GetValue(1, &value);
}

std::wstring CComtradeTabulist::ChannelName(int type)
{
    const std::wstring effective = ExportText(exporttext::kEffective);
    switch (type) {
    case 1: case 9: return L"L1";
    case 2: case 10: return L"L2";
    case 3: case 11: return L"L3";
    case 4: case 12: return L"LN";
    case 5: case 13: return L"L1 " + effective;
    case 6: case 14: return L"L2 " + effective;
    case 7: case 15: return L"L3" + effective;
    case 8: case 16: return L"N" + effective;
    default: return {};
    }
}

int CComtradeTabulist::Export(const ExportSource& source, const std::wstring& folder)
{
    try {
        if (source.Channels() == 0 || HasFewChannels(source.managers.front())) {
            return kNothingToExport;
        }
        return ExportGroups(source, folder, GroupByOrderKey(source));
    } catch (...) {
        ExportLog(L"an exception occurs in CComtradeTabulist::Export");
        return kFailed;
    }
}

bool CComtradeTabulist::DescribeGroup(const ExportSource& source, const Group& group, GroupTable& table)
{
    IZVDataManager* first = source.managers[group.first];
    const int firstType = source.keys[group.first].type;
    table.rows = first != nullptr ? static_cast<std::int64_t>(first->GetCount()) : 0;
    table.interval = source.interval;
    bool rms = false;
    if (source.kind == kCurrent) {
        rms = firstType >= 13 && firstType <= 16;
        table.title = Title(rms ? exporttext::kCurrentRms : exporttext::kCurrentWave, L"A");
        table.name = ExportText(exporttext::kCurrentWave);
    } else if (source.kind == kVoltage) {
        rms = firstType >= 5 && firstType <= 8;
        table.title = Title(rms ? exporttext::kVoltageRms : exporttext::kVoltageWave, L"V");
        table.name = ExportText(exporttext::kVoltageWave);
    }
    if (rms) {
        // One row per effective value, as the reader made them; without that number
        // the rows cannot be placed.
        if (source.samplesPerRms == 0) {
            ExportLog(L"CComtradeTabulist::Export: the samples per effective value are not known");
            return false;
        }
        table.interval *= static_cast<double>(source.samplesPerRms);
        table.rows /= static_cast<std::int64_t>(source.samplesPerRms);
        table.name += ExportText(exporttext::kEffective);
    }
    for (std::size_t c = group.first; c < group.end; ++c) {
        table.columns.push_back(ChannelName(source.keys[c].type));
    }
    table.microseconds = true;
    return true;
}
