#include "terminal/K7700SOEAnalysis.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/ZVTimeStamp.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "terminal/SOEBlock.h"
#include "terminal/TerminalTexts.h"
#include "terminal/ZVDataManager.h"

namespace {

std::uint32_t Word32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Field-data positions are 32-bit, so a larger file cannot be addressed.
constexpr std::uint64_t kLargestFile = 0xFFFFFFFFu;

}  // namespace

int CK7700SOEAnalysis::LoadFile(std::wstring path, std::uint32_t)
{
    m_Path = path;
    if (m_File.IsOpen()) {
        return 1;
    }
    std::replace(path.begin(), path.end(), L'\\', L'/');
    if (!m_File.Open(platform::ToPath(path))) {
        if (m_File.LastError() != ENOENT && m_File.LastError() != ENOTDIR) {
            TerminalLog(L"DataHelper Open File " + m_Path + L" Failed! \r\nErrorCode:" +
                        std::to_wstring(m_File.LastError()) + L"\r\n");
        }
        return 0;
    }
    if (m_File.Size() > kLargestFile) {
        TerminalLog(L"DataHelper Open File " + m_Path + L" Failed! \r\nErrorCode:" + std::to_wstring(EFBIG) + L"\r\n");
        m_File.Close();
        return 0;
    }
    m_FileSize = m_File.Size();
    std::uint8_t trailer[kSOETrailerBytes];
    m_EventCount = m_FileSize >= kSOETrailerBytes && m_File.ReadAt(m_FileSize - kSOETrailerBytes, trailer, sizeof trailer)
                       ? Word32(trailer + 8)
                       : 0;
    return 1;
}

int CK7700SOEAnalysis::ReleaseFile()
{
    m_EventCount = 0;
    m_FileSize = 0;
    m_File.Close();
    return 1;
}

int CK7700SOEAnalysis::GetBasicInfo(BasicInfo*)
{
    return 0;
}

int CK7700SOEAnalysis::GetItemData(std::vector<ItemRequest*>&)
{
    return 0;
}

int CK7700SOEAnalysis::SetQueryParams(const std::array<std::uint32_t, 10>& words)
{
    m_TimeFrom = static_cast<std::int64_t>(static_cast<std::uint64_t>(words[6]) | (std::uint64_t{words[7]} << 32));
    m_TimeTo = static_cast<std::int64_t>(static_cast<std::uint64_t>(words[8]) | (std::uint64_t{words[9]} << 32));
    return 1;
}

int CK7700SOEAnalysis::SetOption(std::uint32_t span)
{
    m_ProgressSpan = span;
    return 1;
}

int CK7700SOEAnalysis::GetData(QueryWord, QueryWord, QueryWord w2, QueryWord, QueryWord w4, QueryWord w5)
{
    auto* sink = reinterpret_cast<IZVDataManager*>(w5);
    if (!m_File.IsOpen() || sink == nullptr) {
        return 0;
    }
    switch (w4) {
    case 0:
        return ReadAllBlocks(sink);
    case 1:
        return ReadScene(w2, sink);
    case 2:
        sink->SetParam(m_EventCount);
        return 1;
    case 3:
        sink->SetParam(m_ActiveCount);
        return 0;
    default:
        return 0;
    }
}

int CK7700SOEAnalysis::ReadScene(std::uint64_t position, IZVDataManager* sink)
{
    auto* scene = dynamic_cast<ISOESceneSink*>(sink);
    if (scene == nullptr || position > m_FileSize || kSOESceneBytes > m_FileSize - position) {
        return 0;
    }
    const std::uint8_t* bytes = m_File.Map(position, kSOESceneBytes);
    if (bytes == nullptr) {
        return 0;
    }
    std::array<std::uint8_t, kSOESceneBytes> copy;
    std::memcpy(copy.data(), bytes, copy.size());
    scene->SetScene(copy.data());
    return 1;
}

void CK7700SOEAnalysis::Damaged(std::uint64_t offset, std::uint64_t totalBefore)
{
    m_EventCount = static_cast<std::uint32_t>(totalBefore);
    m_FileSize = offset;
    TerminalLog(L"CK7700SOEAnalysis::GetData romove dirty data(" + m_Path + L").");
}

int CK7700SOEAnalysis::ReadAllBlocks(IZVDataManager* sink)
{
    m_ActiveCount = 0;
    m_File.Unmap();
    std::uint64_t offset = 4;
    std::uint8_t head[4];
    if (!m_File.ReadAt(0, head, sizeof head)) {
        TerminalLog(L"SOEDATA::ReadBasicInfo Error!\n");
        offset = 0;
    }
    const bool progress = m_ProgressSpan != kNoProgress && m_EventCount != 0;
    const double start = progress ? GetPosHourglaze() : 0.0;
    const double step = progress ? static_cast<double>(m_ProgressSpan) / m_EventCount : 0.0;

    int result = 1;
    std::uint64_t total = 0;
    SOEBlock block;
    while (offset < m_FileSize) {
        const std::uint64_t left = m_FileSize - offset;
        if (left < std::uint64_t{kSOEHeaderBytes} + kSOETrailerBytes) {
            Damaged(offset, total);
            result = 0;
            break;
        }
        const std::uint8_t* header = m_File.Map(offset, kSOEHeaderBytes);
        if (header == nullptr) {
            break;
        }
        std::memcpy(block.header.data(), header, kSOEHeaderBytes);
        const std::uint64_t count = block.DeclaredCount();
        const std::uint64_t recordBytes = count * kSOERecordBytes;
        const std::uint64_t blockBytes = std::uint64_t{kSOEHeaderBytes} + recordBytes + kSOETrailerBytes;
        if (blockBytes > left) {
            Damaged(offset, total);
            result = 0;
            break;
        }
        block.records.resize(count);
        if (count != 0) {
            const std::uint8_t* records = m_File.Map(offset + kSOEHeaderBytes, recordBytes);
            if (records == nullptr) {
                break;
            }
            for (std::uint64_t r = 0; r < count; ++r) {
                for (std::size_t w = 0; w < 5; ++w) {
                    block.records[r].w[w] = static_cast<std::int32_t>(Word32(records + r * kSOERecordBytes + 4 * w));
                }
            }
        }
        const std::uint8_t* trailer = m_File.Map(offset + kSOEHeaderBytes + recordBytes, kSOETrailerBytes);
        if (trailer == nullptr) {
            break;
        }
        if (total + count != Word32(trailer + 8)) {
            Damaged(offset, total);
            result = 0;
            break;
        }
        total += count;
        block.dataPosition = static_cast<std::uint32_t>(offset + kSOESceneOffset);

        CZVTimeStamp time;
        time.FromSystemTime(block.Time());
        if (m_TimeFrom <= time.m_seconds && time.m_seconds <= m_TimeTo) {
            m_ActiveCount += static_cast<std::uint32_t>(
                std::count_if(block.records.begin(), block.records.end(), [](const SOERecord& r) { return r.w[1] != 0; }));
            sink->AddData(reinterpret_cast<std::uintptr_t>(&block));
        }
        if (progress) {
            UpdateHourglaze(start + static_cast<double>(total) * step);
        }
        offset += blockBytes;
    }
    m_ProgressSpan = kNoProgress;
    return result;
}
