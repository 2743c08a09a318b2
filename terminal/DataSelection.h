#pragma once
// CDataSelection: what the data selection dialog knows of a statistic record and
// works out for it, without any window: the recorded time range and block
// description of the folder, the blocks really present, the stretch proposed for
// the memory at hand, the figures shown while the user narrows the stretch and the
// DataSelectInfo handed to the load. The stretch is given as two fractions of the
// record, 0.0 to 1.0. Sizes, durations and counts are 64-bit throughout.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/MemoryStatus.h"
#include "terminal/DataSelectInfo.h"

class CDataSelection {
public:
    enum class Description {
        Usable,
        Damaged,   // the time range or the block description cannot be used
        NoBlocks,  // "BlockCount" 0: the record holds no statistic data
    };

    // The time range of "recordinfo.cfg" and the block description of
    // "Statistic/statistic.cfg". A start without all six fields, a year from 2101 on,
    // an end before the start, or a block size, type count or interval that is not
    // positive is damaged data. Without end fields the record ends at its start
    // until the blocks are known.
    Description Read(const std::wstring& folder);

    // The blocks the readers found present from the start of the record: fewer than
    // "BlockCount" lowers the count and marks the record's tail damaged. Then the
    // duration, an end not recorded and the total size follow from the count.
    void SetPresentBlocks(std::uint64_t present);

    // What the block files of the folder lack inside the record: the stretches of
    // records a file cut short (or empty) does not hold while later files do (those
    // records read as no value and keep the later records at their times), and the
    // first block folder missing before later ones, after which nothing is read.
    // Call after SetPresentBlocks: stretches end at the present count.
    void FindGaps(const std::wstring& folder);
    struct Stretch {
        std::uint64_t first = 0;  // records [first, end)
        std::uint64_t end = 0;
    };
    const std::vector<Stretch>& GetMissing() const { return m_Missing; }
    // A block file that is not a regular file (a pipe, a device, a link to one): no
    // data are read from such a folder. Empty when there is none.
    const std::filesystem::path& GetIrregularFile() const { return m_IrregularFile; }
    // The name of the missing block folder ("003"), empty when none is missing.
    const std::wstring& GetMissingFolder() const { return m_MissingFolder; }
    // The instants a stretch of records covers: its first record's and its end's.
    std::pair<std::int64_t, std::int64_t> StretchTimes(const Stretch& stretch) const;

    // The stretch proposed when `availableMemory` bytes are free: the whole record
    // when it fits, else the start of it.
    std::pair<double, double> ProposedRange(std::uint64_t availableMemory) const;

    // The first instant and the last instant of the stretch.
    std::pair<std::int64_t, std::int64_t> SelectedTimes(double startFrac, double endFrac) const;
    DataSelectInfo GetSelection(double startFrac, double endFrac) const;

    // The figures shown for a stretch, `availableMemory` bytes being free.
    struct Figures {
        std::int64_t start = 0;  // selected instants
        std::int64_t end = 0;
        double selectedBytes = 0.0;
        double neededBytes = 0.0;     // memory the stretch needs to open
        double availableBytes = 0.0;  // memory the program may use
        bool memoryShort = false;
        std::int64_t shownSpan = 0;  // the span that fits memory when short, else the record's
        bool canOpen = false;        // a stretch of some length is selected
    };
    Figures Describe(double startFrac, double endFrac, std::uint64_t availableMemory) const;

    // The memory opening `selectedBytes` of block data takes at its peak: the block
    // data itself, which the load maps and the views and the harmonic collection read
    // through, and the value series the views keep of it.
    static double MemoryNeeded(double selectedBytes);

    // Whether a stretch read from the block files is shown at the index files'
    // resolution (every tenth record) because `memory` cannot hold its block data at
    // once: the loader's own rule.
    bool ShownAtIndexResolution(double startFrac, double endFrac, const platform::MemoryStatus& memory) const;

    std::int64_t GetStartTime() const { return m_StartTime; }
    std::int64_t GetEndTime() const { return m_EndTime; }
    std::uint64_t GetDuration() const { return m_Duration; }
    std::uint64_t GetTotalSize() const { return m_TotalSize; }
    std::uint64_t GetBlockCount() const { return m_BlockCount; }
    std::uint32_t GetBlockSize() const { return m_BlockSize; }
    std::uint32_t GetBlockTypeCount() const { return m_BlockTypeCount; }
    std::uint32_t GetTimePlot() const { return m_TimePlot; }
    bool IsTruncated() const { return m_IsTruncated; }

private:
    std::int64_t m_StartTime = 0;
    std::int64_t m_EndTime = 0;
    std::uint64_t m_Duration = 0;
    std::uint64_t m_TotalSize = 0;
    std::uint64_t m_BlockCount = 0;
    std::uint32_t m_BlockSize = 0;
    std::uint32_t m_BlockTypeCount = 0;
    std::uint32_t m_TimePlot = 0;
    bool m_IsTruncated = false;
    std::vector<Stretch> m_Missing;
    std::wstring m_MissingFolder;
    std::filesystem::path m_IrregularFile;
};

// A size as the dialog shows it: "%.2lfB" below 1024 bytes, then KB below 1024 KB,
// then MB.
std::wstring FormatDataSize(double bytes);
// A span of seconds through a pattern of "%D" (whole days), "%H", "%M", "%S" (two
// digits each, within the day) and "%%".
std::wstring FormatSpan(const std::wstring& pattern, std::int64_t seconds);
// A local time as "%04d-%02d-%02d %02d:%02d:%02d".
std::wstring FormatSelectionTime(std::int64_t time);

// The left edge of a label of `labelWidth` centred over the middle of the selected
// part of a slider track (the slider's box inset by 20 pixels at each end), kept
// within a client area of `clientWidth`.
int SelectionLabelLeft(int sliderLeft, int sliderWidth, double startFrac, double endFrac, int labelWidth,
                       int clientWidth);
