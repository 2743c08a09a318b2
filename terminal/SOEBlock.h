#pragma once
// A ".soe" event file as the SOE reader hands it on: one block at a time (its
// 492-byte header, where its field data lies, its event records), the row that the
// SOE managers return, and the sink of a block's field-data snapshot.

#include <array>
#include <cstdint>
#include <vector>

#include "core/SystemTime.h"

inline constexpr std::uint32_t kSOEHeaderBytes = 492;
inline constexpr std::uint32_t kSOESceneOffset = 28;
inline constexpr std::uint32_t kSOESceneBytes = 464;
inline constexpr std::uint32_t kSOERecordBytes = 20;
inline constexpr std::uint32_t kSOETrailerBytes = 12;

// One event record: five 32-bit words as the file holds them; w1 non-zero marks an
// active event.
struct SOERecord {
    std::array<std::int32_t, 5> w{};
};

// A block as the reader hands it to a sink's AddData (by pointer in the word).
struct SOEBlock {
    std::array<std::uint8_t, kSOEHeaderBytes> header{};
    std::uint32_t dataPosition = 0;  // file offset of the block + 28
    std::vector<SOERecord> records;

    SystemTime Time() const;
    // N of the header: the records the block declares.
    std::uint32_t DeclaredCount() const;
};

// The record the SOE managers return.
struct SOERow {
    SOERecord record;  // a header row has only w0 set, to 0
    SystemTime blockTime;
    std::uint32_t dataPosition = 0;
    // list: 0 collapsed header, 1 expanded header, 2 event, 3 last event of its block
    std::uint32_t rowKind = 0;
};

// What receives the field-data snapshot of a block (the field-data view's manager).
class ISOESceneSink {
public:
    virtual ~ISOESceneSink() = default;
    virtual void SetScene(const std::uint8_t* scene) = 0;  // kSOESceneBytes bytes
};
