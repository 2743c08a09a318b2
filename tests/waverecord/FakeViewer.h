#pragma once
// A viewer, its rows, row kinds and summary caches, and a view host, that record what
// the result records do with them: enough to follow attaching, detaching, colouring
// and the progress callback without a window.

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "terminal/SimpleDataManager.h"
#include "waverecord/WaveViewHost.h"
#include "waverecord/WaveViewer.h"

namespace wavetest {

// Counts the summary caches alive; shared, since a cache may outlive whoever made it.
struct FakeSource : IWaveSource {
    FakeSource(ISimpleDataManager* source, std::shared_ptr<int> live) : source(source), live(std::move(live))
    {
        ++*this->live;
    }
    void Release() override
    {
        --*live;
        delete this;
    }
    ISimpleDataManager* source;
    std::shared_ptr<int> live;
};

struct FakeImp : IWaveRowImp {
    explicit FakeImp(std::shared_ptr<int> live) : live(std::move(live)) { ++*this->live; }
    void Release() override
    {
        --*live;
        delete this;
    }
    void SetData(IWaveSource* source) override { data = source; }
    IWaveSource* data = nullptr;
    std::shared_ptr<int> live;
};

// Holds its row kinds as the viewer's rows do and releases them when removed.
struct FakeRow : IWaveRow {
    ~FakeRow() override
    {
        for (IWaveRowImp* imp : imps) {
            imp->Release();
        }
    }
    int AddImp(IWaveRowImp* imp) override
    {
        if (std::find(imps.begin(), imps.end(), imp) != imps.end()) {
            return 0;
        }
        imps.push_back(imp);
        return 1;
    }
    int RemoveImp(IWaveRowImp* imp, int release) override
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
    void SetValueText(IWaveRowImp* key, const WaveLineStyle& style) override { styles[key] = style; }
    void GetValueText(IWaveRowImp* key, WaveLineStyle& style) override { style = styles[key]; }

    std::vector<IWaveRowImp*> imps;
    std::map<IWaveRowImp*, WaveLineStyle> styles;
};

struct FakeViewer : IWaveViewer {
    IWaveRowImp* CreateRowImp(int type) override
    {
        lastType = type;
        return new FakeImp(liveImps);
    }
    IWaveSource* CreateDataManager(ISimpleDataManager* source) override { return new FakeSource(source, liveSources); }
    void SetCursorPosition(std::int64_t position) override { cursor = position; }

    int lastType = 0;
    std::int64_t cursor = -1;
    std::shared_ptr<int> liveImps = std::make_shared<int>(0);
    std::shared_ptr<int> liveSources = std::make_shared<int>(0);
};

// A view host whose viewer reports progress while it builds a summary, as the real
// one does for a long series.
struct FakeHost : IWaveViewHost {
    IWaveSource* CreateDataManager(ISimpleDataManager* source) override
    {
        sources.push_back(source);
        if (callback) {
            callback->Notify(118, 4, 0);
            for (std::intptr_t step = 1; step <= 4; ++step) {
                callback->Notify(118, 0, step);
            }
        }
        return new FakeSource(source, liveSources);
    }
    void ColourForRecord(int phaseKey, int kind, WaveLineStyle& style) override
    {
        style.lineColour = static_cast<std::uint32_t>(0x100 * phaseKey + kind);
    }
    void SetCallback(IWaveViewerCallback* next) override
    {
        callback = next;
        callbacks.push_back(next);
    }

    std::vector<ISimpleDataManager*> sources;
    std::vector<IWaveViewerCallback*> callbacks;
    IWaveViewerCallback* callback = nullptr;
    std::shared_ptr<int> liveSources = std::make_shared<int>(0);
};

}  // namespace wavetest
