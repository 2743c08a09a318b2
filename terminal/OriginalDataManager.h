#pragma once
// COriginalDataManager: a record series that holds only a window of the whole
// series; the viewer addresses samples by their absolute index, and the window's
// first and last absolute index travel through SetRange/GetRange.

#include "terminal/RecordDataManager.h"

class COriginalDataManager : public CRecordDataManager {
public:
    explicit COriginalDataManager(std::uint32_t tag = 0);

    bool GetNext(std::int64_t* index, std::int64_t* position) override;
    bool GetPrev(std::int64_t* index, std::int64_t* position) override;
    void SetRange(std::int64_t first, std::int64_t last) override;
    void GetRange(std::int64_t* first, std::int64_t* last) override;
    void Clear() override;

private:
    bool Step(std::int64_t* index, std::int64_t* position, std::int64_t step);

    std::int64_t m_RangeFirst = 0;
    std::int64_t m_RangeLast = -1;
};
