#include "tests/support/FakeViewer.h"

#include <algorithm>

#include "lib/viewer/data/BufferedDataManager.h"
#include "lib/viewer/data/RowImpAnalog.h"

namespace testsupport {

FakeViewer::FakeViewer() = default;

FakeViewer::~FakeViewer()
{
    RemoveAllRows();
}

IRowItem* FakeViewer::AddRow(IRowItem*)
{
    auto* row = new CRowItem;
    row->AddRef();
    m_rows.push_back(row);
    return row;
}

void FakeViewer::RemoveRow(IRowItem* row)
{
    const auto found = std::find(m_rows.begin(), m_rows.end(), row);
    if (found != m_rows.end()) {
        (*found)->RemoveAllImps();
        (*found)->Release();
        m_rows.erase(found);
    }
}

void FakeViewer::RemoveAllRows()
{
    for (CRowItem* row : m_rows) {
        row->RemoveAllImps();
        row->Release();
    }
    m_rows.clear();
}

IRowItemImp* FakeViewer::CreateRowImp(int kind)
{
    ++kindsAsked;
    if (kind != tracelume::kRowKindAnalog || kindsAsked == refusedKind) {
        return nullptr;
    }
    return new tracelume::CRowImpAnalog;
}

IBufferredDataManager* FakeViewer::CreateDataManager(ISimpleDataManager* source)
{
    ++cachesMade;
    auto* cache = new CBufferedDataManager;
    cache->SetSource(source);
    if (source != nullptr) {
        cache->Build();
    }
    return cache;
}

void FakeViewer::SetDataLength(std::uint32_t low, std::uint32_t high)
{
    lengths.push_back(static_cast<std::int64_t>((std::uint64_t{high} << 32) | low));
}

int FakeViewer::Command(int code, std::intptr_t a, std::intptr_t b)
{
    commands.push_back({code, a, b});
    return 0;
}

const FakeViewer::Call* FakeViewer::LastCommand(int code) const
{
    for (auto it = commands.rbegin(); it != commands.rend(); ++it) {
        if (it->code == code) {
            return &*it;
        }
    }
    return nullptr;
}

FakeWaveSource::FakeWaveSource(ISimpleDataManager* source, std::shared_ptr<int> live)
    : source(source), live(std::move(live))
{
    ++*this->live;
}

void FakeWaveSource::Release()
{
    --*live;
    delete this;
}

FakeWaveImp::FakeWaveImp(std::shared_ptr<int> live) : live(std::move(live))
{
    ++*this->live;
}

void FakeWaveImp::Release()
{
    --*live;
    delete this;
}

FakeWaveRow::~FakeWaveRow()
{
    for (IWaveRowImp* imp : imps) {
        imp->Release();
    }
}

int FakeWaveRow::AddImp(IWaveRowImp* imp)
{
    if (std::find(imps.begin(), imps.end(), imp) != imps.end()) {
        return 0;
    }
    imps.push_back(imp);
    return 1;
}

int FakeWaveRow::RemoveImp(IWaveRowImp* imp, int release)
{
    const auto found = std::find(imps.begin(), imps.end(), imp);
    styles.erase(imp);
    if (found == imps.end()) {
        return 0;
    }
    imps.erase(found);
    if (release) {
        imp->Release();
    }
    return 1;
}

IWaveRowImp* FakeWaveViewer::CreateRowImp(int type)
{
    lastType = type;
    return new FakeWaveImp(liveImps);
}

IWaveSource* FakeWaveViewer::CreateDataManager(ISimpleDataManager* source)
{
    return new FakeWaveSource(source, liveSources);
}

IWaveSource* FakeWaveHost::CreateDataManager(ISimpleDataManager* source)
{
    sources.push_back(source);
    if (callback) {
        callback->Notify(118, 4, 0);
        for (std::intptr_t step = 1; step <= 4; ++step) {
            callback->Notify(118, 0, step);
        }
    }
    return new FakeWaveSource(source, liveSources);
}

void FakeWaveHost::ColourForRecord(int phaseKey, int kind, WaveLineStyle& style)
{
    style.lineColour = static_cast<std::uint32_t>(0x100 * phaseKey + kind);
}

void FakeWaveHost::SetCallback(IWaveViewerCallback* next)
{
    callback = next;
    callbacks.push_back(next);
}

}  // namespace testsupport
