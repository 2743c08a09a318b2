#include "terminal/SOEListItemsMgr.h"

#include <algorithm>

#include "platform/base/Encoding.h"
#include "terminal/TerminalTexts.h"

void CSOEListItemsMgr::Release()
{
    m_SOEItems.clear();
    m_HeaderRows.clear();
    m_Keys.clear();
    m_RowCount = 0;
    m_AllCollapsed = 0;
}

bool CSOEListItemsMgr::AddData(std::uintptr_t word)
{
    const auto* block = reinterpret_cast<const SOEBlock*>(word);
    if (block == nullptr || block->records.size() != block->DeclaredCount()) {
        TerminalLog(L"SOE file error");
        return false;
    }
    const SystemTime time = block->Time();
    CZVTimeStamp key;
    key.FromSystemTimeMs(time);
    const auto [found, inserted] = m_SOEItems.try_emplace(key);
    if (!inserted) {
        TerminalLog(L"CSOEListItemsMgr::AddData SOE Block Time repeat:" + key.Format(L"%Y-%m-%d %H:%M:%S"));
    }
    Item& item = found->second;
    item.blockTime = time;
    item.expanded = 1;
    item.sorted = 0;
    item.dataPosition = block->dataPosition;
    item.records.reserve(item.records.size() + block->records.size());
    for (const SOERecord& record : block->records) {
        item.records.push_back(Event{record, block->dataPosition});
    }
    return true;
}

void CSOEListItemsMgr::RebuildVisible()
{
    m_HeaderRows.clear();
    m_Keys.clear();
    m_AllCollapsed = 1;
    std::uint64_t rows = 0;
    for (const auto& [key, item] : m_SOEItems) {
        ++rows;
        m_HeaderRows.push_back(rows);
        if (item.expanded != 0) {
            rows += item.records.size();
            m_AllCollapsed = 0;
        }
        m_Keys.push_back(key);
    }
    m_RowCount = rows;
}

bool CSOEListItemsMgr::Lookup(std::int64_t row, const char* operation, Item*& item, std::uint64_t& offset)
{
    const std::wstring name = L"CSOEListItemsMgr::" + platform::Utf8ToWide(operation);
    // No header at or before the row: a row before the first, or an empty list.
    if (row < 0 || m_HeaderRows.empty()) {
        TerminalLog(name + L" error lower_bound");
        return false;
    }
    // Rows past the end would otherwise land in the last item, even a collapsed one.
    if (static_cast<std::uint64_t>(row) >= m_RowCount) {
        TerminalLog(name + L" error m_SOEItems distance");
        return false;
    }
    const std::uint64_t number = static_cast<std::uint64_t>(row) + 1;
    auto at = std::lower_bound(m_HeaderRows.begin(), m_HeaderRows.end(), number);
    if (at != m_HeaderRows.end() && *at == number) {
        offset = 0;
    } else if (at == m_HeaderRows.begin()) {
        TerminalLog(name + L" error lower_bound");
        return false;
    } else {
        --at;
        offset = number - *at;
    }
    const auto found = m_SOEItems.find(m_Keys[static_cast<std::size_t>(at - m_HeaderRows.begin())]);
    if (found == m_SOEItems.end()) {
        TerminalLog(name + L" error m_SOEItems find");
        return false;
    }
    item = &found->second;
    return true;
}

int CSOEListItemsMgr::GetSoeAt(std::int64_t row, SOERow* out)
{
    Item* item = nullptr;
    std::uint64_t offset = 0;
    if (out == nullptr || !Lookup(row, "GetSoeAt", item, offset)) {
        return 0;
    }
    if (offset == 0) {
        *out = SOERow{};
        out->blockTime = item->blockTime;
        out->dataPosition = item->dataPosition;
        out->rowKind = item->expanded != 0 ? 1 : 0;
        return 1;
    }
    if (item->sorted == 0) {
        std::stable_sort(item->records.begin(), item->records.end(), [](const Event& a, const Event& b) {
            const auto& x = a.record.w;
            const auto& y = b.record.w;
            if (x[0] != y[0]) {
                return x[0] < y[0];
            }
            if (x[2] != y[2]) {
                return x[2] < y[2];
            }
            if (x[3] != y[3]) {
                return x[3] < y[3];
            }
            return x[1] > y[1];
        });
        item->sorted = 1;
    }
    if (offset > item->records.size()) {
        TerminalLog(L"CSOEListItemsMgr::GetSoeAt error m_SOEItems distance");
        return 0;
    }
    const Event& event = item->records[offset - 1];
    out->record = event.record;
    out->blockTime = item->blockTime;
    out->dataPosition = event.dataPosition;
    out->rowKind = offset == item->records.size() ? 3 : 2;
    return 1;
}

int CSOEListItemsMgr::SetVisible(std::int64_t row)
{
    Item* item = nullptr;
    std::uint64_t offset = 0;
    if (!Lookup(row, "SetVisible", item, offset) || offset != 0) {
        return 0;
    }
    item->expanded = item->expanded != 0 ? 0 : 1;
    RebuildVisible();
    return 1;
}

int CSOEListItemsMgr::ToggleAllExpanded()
{
    for (auto& entry : m_SOEItems) {
        entry.second.expanded = m_AllCollapsed;
    }
    RebuildVisible();
    return 1;
}
