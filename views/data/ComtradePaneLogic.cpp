#include "views/data/ComtradePaneLogic.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "terminal/BasicInfo.h"
#include "terminal/DataModel.h"
#include "terminal/K7700ComtradeAnalysis.h"

namespace {

constexpr int kAnalogKind = 3;
// What a record reader that does not say so is taken to hold per effective value.
constexpr std::uint32_t kDefaultSamplesPerRms = 64;
constexpr double kDefaultSampleRate = 6400.0;

// A range of values widened so that the extremes do not touch the row's edges.
void Widen(double& low, double& high)
{
    if (high - low < 1.0) {
        high += 0.05;
        low -= 0.05;
    } else {
        const double d = (high - low) * 0.1;
        high += d;
        low -= d;
    }
}

void ReleaseCache(IBufferredDataManager*& cache)
{
    if (cache != nullptr) {
        cache->Release();
        cache = nullptr;
    }
}

}  // namespace

CComtradePaneLogic::CComtradePaneLogic(const ComtradePaneKind& kind, IPhaseBoxes& boxes) : m_Kind(kind), m_Boxes(boxes)
{
}

CComtradePaneLogic::~CComtradePaneLogic()
{
    ResetView();
}

void CComtradePaneLogic::Initialise()
{
    for (int i = 1; i <= kRmsBox; ++i) {
        m_Boxes.Enable(i, false);
    }
    for (int i : {1, 2, 3, kRmsBox}) {
        m_Boxes.SetCheck(i, 1);
    }
    m_Boxes.SetCheck(4, 0);
    m_RmsShown = false;
}

void CComtradePaneLogic::ResetView()
{
    // The row kinds go with the rows; the caches they pointed at are ours to free.
    if (m_pViewer != nullptr) {
        m_pViewer->RemoveAllRows();
    }
    m_pWaveformRow = nullptr;
    m_pRmsRow = nullptr;
    for (int k = 0; k < kPhases; ++k) {
        m_Waveform[k].Release();
        ReleaseCache(m_WaveformCache[k]);
        m_Rms[k].Release();
        ReleaseCache(m_RmsCache[k]);
    }
}

void CComtradePaneLogic::Reset()
{
    for (int i = 1; i <= kRmsBox; ++i) {
        m_Boxes.Enable(i, false);
    }
    m_Boxes.SetCheck(1, 1);
    ResetView();
}

void CComtradePaneLogic::ShowPhase(int phase, bool shown)
{
    if (shown) {
        m_Waveform[phase].RestoreRange();
        m_Rms[phase].RestoreRange();
    } else {
        m_Waveform[phase].ResetRange();
        m_Rms[phase].ResetRange();
    }
}

void CComtradePaneLogic::Fill(IDataModel* model)
{
    if (model == nullptr || m_pViewer == nullptr) {
        return;
    }
    ResetView();
    BasicInfo info;
    model->QueryBasicInfo(&info);
    m_SampleRate = info.interval > 0.0 && std::isfinite(1.0 / info.interval) ? 1.0 / info.interval : kDefaultSampleRate;
    const auto* reader = dynamic_cast<const CK7700ComtradeAnalysis*>(model->GetAnalysis());
    m_SamplesPerRms = reader != nullptr && reader->GetSamplesPerRms() > 0 ? reader->GetSamplesPerRms() : kDefaultSamplesPerRms;

    std::array<bool, kPhases> present{};
    for (int k = 0; k < kPhases; ++k) {
        present[k] = model->GetData(static_cast<QueryWord>(k), 0, 0, 0, static_cast<QueryWord>(m_Kind.waveformItem + k),
                                    reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&m_Waveform[k]))) != 0;
    }
    for (int k = 0; k < kPhases; ++k) {
        model->GetData(static_cast<QueryWord>(k), 0, 0, 0, static_cast<QueryWord>(m_Kind.rmsItem + k),
                       reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&m_Rms[k])));
        m_Rms[k].SetMode(m_SamplesPerRms);
    }
    if (std::none_of(present.begin(), present.end(), [](bool p) { return p; })) {
        m_Boxes.SetCheck(kRmsBox, 0);
        m_RmsShown = false;
        ApplyRms();
        return;
    }
    m_Boxes.Enable(kRmsBox, true);

    double waveLow = 0.0, waveHigh = 0.0, rmsLow = 0.0, rmsHigh = 0.0;
    bool first = true;
    for (int k = 0; k < kPhases; ++k) {
        if (!present[k]) {
            continue;
        }
        const double wl = m_Waveform[k].GetMinValue(), wh = m_Waveform[k].GetMaxValue();
        const double rl = m_Rms[k].GetMinValue(), rh = m_Rms[k].GetMaxValue();
        waveLow = first ? wl : std::min(waveLow, wl);
        waveHigh = first ? wh : std::max(waveHigh, wh);
        rmsLow = first ? rl : std::min(rmsLow, rl);
        rmsHigh = first ? rh : std::max(rmsHigh, rh);
        first = false;
    }
    Widen(waveLow, waveHigh);
    Widen(rmsLow, rmsHigh);
    for (int k = 0; k < kPhases; ++k) {
        if (present[k]) {
            m_Waveform[k].SetYRange(&waveLow, &waveHigh);
            m_Rms[k].SetYRange(&rmsLow, &rmsHigh);
        }
    }
    const int firstPresent = static_cast<int>(std::find(present.begin(), present.end(), true) - present.begin());
    const std::uint64_t length = m_Waveform[firstPresent].GetCount();
    m_pViewer->SetDataLength(static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(length >> 32));

    m_pWaveformRow = m_pViewer->AddRow(nullptr);
    m_pRmsRow = m_pWaveformRow != nullptr ? m_pViewer->AddRow(m_pWaveformRow) : nullptr;
    if (m_pWaveformRow == nullptr || m_pRmsRow == nullptr) {
        return;
    }
    RowLayout(0);
    m_pWaveformRow->SetRange(waveLow, waveHigh, m_Kind.unit, 3);
    m_pRmsRow->SetRange(rmsLow, rmsHigh, m_Kind.unit, 3);

    // The boxes of present phases are enabled first, so that the caches are built
    // over what each box shows.
    for (int k = 0; k < kPhases; ++k) {
        if (!present[k]) {
            m_Boxes.SetCheck(k + 1, 0);
        }
        m_Boxes.Enable(k + 1, present[k]);
        ShowPhase(k, present[k] && m_Boxes.IsChecked(k + 1) != 0);
    }
    for (int k = 0; k < kPhases; ++k) {
        if (!present[k]) {
            continue;
        }
        CLineStyleInfo style;
        style.m_name = k < 3 ? L"L" + std::to_wstring(k + 1) : std::wstring(L"N");
        style.m_lineColor = kPhaseColors[k];
        style.m_visible = 0;
        style.m_showScale = 1;
        style.m_hostWord = 0;
        IRowItemImp* waveKind = m_pViewer->CreateRowImp(kAnalogKind);
        IRowItemImp* rmsKind = m_pViewer->CreateRowImp(kAnalogKind);
        if (waveKind == nullptr || rmsKind == nullptr) {
            // This phase cannot be drawn; the others still are.
            if (waveKind != nullptr) {
                waveKind->Release();
            }
            if (rmsKind != nullptr) {
                rmsKind->Release();
            }
            m_Boxes.SetCheck(k + 1, 0);
            m_Boxes.Enable(k + 1, false);
            ShowPhase(k, false);
            continue;
        }
        m_WaveformCache[k] = m_pViewer->CreateDataManager(&m_Waveform[k]);
        waveKind->SetData(m_WaveformCache[k]);
        m_pWaveformRow->AddImp(waveKind);
        m_pWaveformRow->SetImpStyle(waveKind, style);
        m_RmsCache[k] = m_pViewer->CreateDataManager(&m_Rms[k]);
        rmsKind->SetData(m_RmsCache[k]);
        m_pRmsRow->AddImp(rmsKind);
        m_pRmsRow->SetImpStyle(rmsKind, style);
    }
    m_RmsShown = m_Boxes.IsChecked(kRmsBox) != 0;
    ApplyRms();
    m_pViewer->SetSampleRate(m_SampleRate);
    m_pViewer->ZoomAll();
    RowLayout(0);
}

void CComtradePaneLogic::OnBox(int index, int state)
{
    if (index >= 1 && index <= kPhases) {
        const int k = index - 1;
        ShowPhase(k, state != 0);
        for (IBufferredDataManager* cache : {m_WaveformCache[k], m_RmsCache[k]}) {
            if (cache != nullptr) {
                cache->Build();
            }
        }
        if (m_pViewer != nullptr) {
            m_pViewer->RefreshAll();
        }
    } else if (index == kRmsBox) {
        m_RmsShown = state != 0;
        ApplyRms();
    }
}

void CComtradePaneLogic::ApplyRms()
{
    if (m_pViewer == nullptr || m_pWaveformRow == nullptr) {
        return;
    }
    m_pWaveformRow->SetTreeFlag(m_RmsShown);
    m_pViewer->Command(tracelume::kCommandTreeWidth, m_RmsShown ? 115 : 65, 0);
    RowLayout(0);
    m_pViewer->RefreshAll();
}

void CComtradePaneLogic::RowLayout(int height)
{
    if (m_pWaveformRow == nullptr) {
        return;
    }
    if (height == 0) {
        height = std::max(m_ClientHeight - 100, 100);
    }
    if (m_RmsShown) {
        height = static_cast<int>(static_cast<unsigned>(height) >> 1);
        m_pWaveformRow->SetHeight(height);
        if (m_pRmsRow != nullptr) {
            m_pRmsRow->SetHeight(height);
        }
    } else {
        m_pWaveformRow->SetHeight(height);
    }
    if (m_pViewer != nullptr) {
        m_pViewer->Refresh();
    }
}

int CComtradePaneLogic::FillAttributes(IDataModel* model, ExportSource& out)
{
    BasicInfo info;
    if (model != nullptr) {
        model->QueryBasicInfo(&info);
    }
    out.startTime = info.startText;
    out.interval = info.interval;
    out.kind = m_Kind.exportKind;
    out.samplesPerRms = m_SamplesPerRms;
    for (int k = 0; k < kPhases; ++k) {
        if (m_Boxes.IsChecked(k + 1) != 0) {
            out.keys.push_back(ExportKey{k, 4, -1, 0, m_Kind.waveformItem + k});
            out.managers.push_back(&m_Waveform[k]);
        }
    }
    for (int k = 0; k < kPhases; ++k) {
        if (m_Boxes.IsChecked(k + 1) != 0 && m_Boxes.IsChecked(kRmsBox) != 0) {
            out.keys.push_back(ExportKey{k, 4, -1, 0, m_Kind.rmsItem + k});
            out.managers.push_back(&m_Rms[k]);
        }
    }
    return 1;
}
