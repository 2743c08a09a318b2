#pragma once
// A data set of the pool: the series of one key (kind, index, sub-index), appended
// chunk by chunk, with its manager made on the first request and kept.

#include <map>
#include <memory>
#include <vector>

#include "lib/recordpool/DataSetManager.h"
#include "lib/recordpool/SeriesChunk.h"

namespace sampolyx {

class CDataSet {
public:
    void Append(std::unique_ptr<CSeriesChunk> chunk);
    bool Empty() const { return m_chunks.empty(); }
    // Null for a data set without values.
    CDataSetManager* Manager();

private:
    std::vector<std::unique_ptr<CSeriesChunk>> m_chunks;
    std::unique_ptr<CDataSetManager> m_manager;
};

// kind -> index -> sub-index -> data set.
using DataSetMap = std::map<int, std::map<int, std::map<int, CDataSet>>>;

}  // namespace sampolyx
