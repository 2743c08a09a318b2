#pragma once
// ExportSource: what the main frame hands a table exporter from the open data: one
// sample supplier per exported channel or item, with a key telling what it is, the
// time of the first sample and the interval between samples.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class IZVDataManager;

// What one supplier holds. A COMTRADE channel uses `phase` as its order key and
// `type` as its channel type (1-16); a statistic item uses all five words.
struct ExportKey {
    int phase = 0;       // 0 L1, 1 L2, 2 L3, 3 N, 4 none
    int statistic = 4;   // 0 maximum, 1 minimum, 2 average, 3 95 % value, 4 none
    int order = -1;      // harmonic order; negative when the item has none
    int valueKind = 0;   // 1 effective value, 2 content ratio, 3 phase angle
    int type = 0;        // channel type or item type id
};

struct ExportSource {
    // "%d-%d-%d %d:%d:%d.%d": year, month, day, hour, minute, second, milliseconds.
    std::wstring startTime;
    double interval = 0.0;  // seconds between samples
    std::vector<IZVDataManager*> managers;  // not owned
    std::vector<ExportKey> keys;            // one per supplier, in the same order
    int kind = 0;  // 0 statistic records; COMTRADE: 1 current, 2 voltage
    // COMTRADE: the samples behind one effective value, as the record's reader makes
    // them (CK7700ComtradeAnalysis::GetSamplesPerRms); an effective-value supplier
    // answers the record's sample count and holds one value per this many samples.
    std::uint32_t samplesPerRms = 0;

    // Suppliers that have a key (the two lists are walked together).
    std::size_t Channels() const { return managers.size() < keys.size() ? managers.size() : keys.size(); }

    // The start time as nanoseconds since 1970 (local calendar time); nothing when
    // the text does not name a representable time. Milliseconds may be left out.
    std::optional<std::int64_t> StartNanoseconds() const;
};
