#pragma once
// CGlobalModel: the model behind the statistic panes. A request names a terminal
// folder and carries the 14-word query record; the model picks the reader that can
// load the folder, in a fixed order of preference (the converted item files, then
// the full-resolution block files, then the index files at a tenth of the
// resolution), and tells its observers. The main frame owns two: the first serves
// the statistic views, the second is the trend panes' second data model.

#include <cstdint>
#include <functional>
#include <memory>

#include "terminal/CtrlItem.h"
#include "terminal/DataModel.h"
#include "terminal/K7700StatisticAnalysis.h"
#include "terminal/K7700ZVViewAnalysis.h"
#include "terminal/Subject.h"

class CGlobalModel : public ISubject, public IDataModel {
public:
    // Makes the waveform-record statistic reader (the waveform-record window's own).
    using WaveReaderFactory = std::function<std::unique_ptr<IDevFileAnalysis>()>;

    CGlobalModel() = default;
    ~CGlobalModel() override;

    int CreateAnalysis(std::uint32_t flag) override;
    int GetSource(std::uint32_t* source) override;
    // The request handler; `request` is a CCtrlItem.
    int OpenData(void* request) override;
    int QueryBasicInfo(BasicInfo* info) override;

    // The whole records the statistic data of `folder` holds from its start, as the
    // reader the model would load it with finds them: the converted item files when
    // the folder has them all, else the block files. `blockFiles`, when given, tells
    // which of the two it is.
    static std::uint64_t CountRecords(const std::wstring& folder, bool* blockFiles = nullptr);

    void SetWaveReaderFactory(WaveReaderFactory factory) { m_WaveReaderFactory = std::move(factory); }
    // Where the item reader of every load finds the harmonic collector's summary
    // cube; the reader is made anew per load and keeps the source.
    void SetSummarySource(CK7700StatisticAnalysis::SummarySource source) { m_SummarySource = std::move(source); }
    std::uint32_t GetFullResolution() const { return fullResolution; }

protected:
    // The readers the model makes; tests hand in readers with other memory figures.
    virtual std::unique_ptr<IDevFileAnalysis> MakeItemReader();
    virtual std::unique_ptr<CK7700ZVViewAnalysis> MakeTrendReader(std::uint32_t useDataFiles);

private:
    enum class ReaderKind { None, Items, Trend, Wave };

    void OpenStatistic(CCtrlItem& request);
    void OpenSecond(CCtrlItem& request);
    void OpenWave(CCtrlItem& request);
    void ReplaceReader(std::unique_ptr<IDevFileAnalysis> reader, ReaderKind kind);
    void DropReader();
    std::array<std::uint32_t, 10> QueryWords() const;
    std::uint32_t Option(const CCtrlItem& request) const;

    std::uint32_t fullResolution = 0;
    ReaderKind m_ReaderKind = ReaderKind::None;
    WaveReaderFactory m_WaveReaderFactory;
    CK7700StatisticAnalysis::SummarySource m_SummarySource;
};
