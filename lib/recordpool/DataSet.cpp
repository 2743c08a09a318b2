#include "lib/recordpool/DataSet.h"

namespace sampolyx {

void CDataSet::Append(std::unique_ptr<CSeriesChunk> chunk)
{
    if (!chunk || chunk->Count() <= 0) {
        return;
    }
    m_chunks.push_back(std::move(chunk));
    if (m_manager) {
        m_manager->AddChunk(m_chunks.back().get());
    }
}

CDataSetManager* CDataSet::Manager()
{
    if (m_chunks.empty()) {
        return nullptr;
    }
    if (!m_manager) {
        m_manager = std::make_unique<CDataSetManager>();
        for (const auto& chunk : m_chunks) {
            m_manager->AddChunk(chunk.get());
        }
    }
    return m_manager.get();
}

}  // namespace sampolyx
