#pragma once
// CWaveFrequencyStatisticView: the frequency of the analysed record, one value per
// frame, over the whole width of the view (it has no quantity list). Its viewer
// reports to a viewer callback of its own.

#include <memory>

#include "waverecord/ui/WaveStatisticView.h"

class CTracelumeCallBack;

class CWaveFrequencyStatisticView : public CWaveStatisticView {
public:
    static constexpr int kKind = 5976;
    static constexpr std::uint32_t kItem = 9999;
    static constexpr unsigned kTextSeries = 10117;
    static constexpr unsigned kTextTableUnit = 10118;

    CWaveFrequencyStatisticView();
    ~CWaveFrequencyStatisticView() override;

    CTracelumeCallBack* GetCallback() const { return m_callback.get(); }

protected:
    void OnCreateView() override;
    ui::LResult OnPaneCommand(const WavePaneCommand& command) override;
    ui::LResult OnColoursChanged() override;
    ui::LResult OnExport(const std::wstring& folder) override;

private:
    void ShowItem(std::uint32_t item, std::uint32_t kindBits);
    // Names, colours and attaches the frequency series and fits the range.
    void ShowSeries(std::uint32_t kindBits);
    void ApplyRange(std::int64_t first, std::int64_t end);

    std::unique_ptr<CTracelumeCallBack> m_callback;
};
