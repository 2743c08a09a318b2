#pragma once
// ImageReporter: the reporter that writes the report's charts as picture files into
// a folder: one PNG per trend chart, per harmonic trend chart and per harmonic bar
// chart, and "itic.png" with the ITIC chart of the transient events. Each picture
// is drawn on a 1000 x 432 surface of its own (fonts sized as on the report pages,
// 1 pt = 4/3 pixel) and written atomically; names are made safe and unique within
// the run (CPictureNames). ReportOutput returns 0, with the reason in the message
// text, when a picture could not be written.
//
// The main frame's report worker calls CheckReady, SetOptions and ReportOutput, in
// this order, after CBaseReporter::Init.

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "report/BaseReporter.h"
#include "report/HarmTrendItem.h"
#include "report/ITICImpl.h"
#include "report/PicOutputDataMgr.h"
#include "report/PictureNames.h"
#include "report/ReportTrendItem.h"
#include "report/ZVTrendPic.h"

class CZVHarmPic;

class ImageReporter : public CBaseReporter {
public:
    static constexpr int kSurfaceWidth = 1000;
    static constexpr int kSurfaceHeight = 432;
    static constexpr int kIticWidth = 700;
    static constexpr int kIticHeight = 500;

    // The five words of a statistic query: channel, statistic, order index, value kind, item code.
    struct StatRequest {
        std::uint32_t channel = 4;
        std::uint32_t statistic = 0;
        std::uint32_t order = 0;
        std::uint32_t valueKind = 0;
        std::uint32_t itemCode = 0;
    };

    ImageReporter();
    ~ImageReporter() override;

    int Prepare(std::wstring, std::wstring) override { return 1; }
    void Finish() override {}
    // Writes the chosen pictures into the folder (made with its parents when
    // missing); `share` is this reporter's part of the busy indicator. 1 when every
    // picture that was drawn was written.
    int ReportOutput(const std::wstring& outputPath, int share) override;
    int CheckReady() override { return 1; }
    void SetOptions(int trend, int histograms, int itic);

    // --- Trend pictures
    void BuildTrendPictures(const std::vector<CReportTrendItem>& items);
    int BuildStatTrendPicture(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                              const std::wstring& unit, std::uint32_t count);
    int BuildSignedTrendPicture(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                const std::wstring& unit);
    int BuildPhaseTrendPicture(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                               const std::wstring& unit);
    int BuildEnergyTrendPicture(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                const std::wstring& unit);
    // Entry kind and label of phase `phase` of an item of `count` phases (1, 3 or 4);
    // false, outputs untouched, for another count.
    bool GetPhaseLabel(std::uint32_t phase, std::uint32_t count, const std::wstring& name, std::int32_t& entryKind,
                       std::wstring& label) const;

    // --- Harmonic pictures
    void BuildHarmTrendPictures(const std::vector<CHarmTrendItem>& items);
    int BuildHarmTrendItem(const CHarmTrendItem& item, const CReportItemDef& def);
    int BuildHarmTrendPicture(const std::array<std::vector<std::int32_t>, 3>& lists, StatRequest request,
                              const std::wstring& name, const std::wstring& unit, std::uint32_t& chartNumber);
    void BuildHarmBarPictures();
    int BuildCurrentHarmBars(const std::wstring& phaseNumber, const std::wstring& unit, const std::wstring& label);
    int BuildVoltageHarmBars(const std::wstring& phaseNumber, const std::wstring& unit, const std::wstring& label);

    // --- ITIC picture: the COMTRADE records of the report's span, drawn and saved
    // as PNG at the path. 1 when written.
    int BuildIticPicture(const std::wstring& path);
    // The transient events of the COMTRADE records of the report's span, in the
    // order of their files: the duration and the extreme voltage (highest of a
    // swell, lowest of a dip or an interruption) in % of the nominal voltage.
    std::vector<CIticEvent> CollectIticEvents();

    // --- The drawing surface of one picture
    int NewChartSurface();
    gfx::Context* GetSurfaceGraphics() { return m_Graphics.get(); }
    // Writes the surface to path + ".png" and ends it; 0 without a surface or when
    // the file could not be written.
    int SavePng(const std::wstring& path);

    // The files written, in order (full paths).
    const std::vector<std::wstring>& GetWrittenFiles() const { return m_Written; }
    float GetProgressCounter() const { return m_Progress; }

private:
    bool Query(const StatRequest& request, CPicOutputDataMgr& sink) const;
    std::optional<float> QuerySummary(const StatRequest& request) const;
    void ProgressStep();
    // Draws the picture on a new surface and saves it under a name made of `text`
    // (the item's key, `fallback`, when the text is missing).
    bool DrawTrendAndSave(const CZVTrendPic& picture, int style, const std::wstring& text,
                          const std::wstring& fallback);
    bool SavePicture(const std::wstring& text, const std::wstring& fallback);
    int BuildStatCurves(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                        const std::wstring& unit, std::uint32_t count, bool signedMaximum);
    int BuildHarmBars(bool current, const std::wstring& phaseNumber, const std::wstring& unit,
                      const std::wstring& label);
    CZVTrendPic NewPicture(const std::wstring& title, const std::wstring& unit, std::uint32_t id) const;
    std::wstring GraphText(const char* key) const;
    void NoteWriteFailure(const std::wstring& file);

    gfx::Bitmap m_Surface;
    std::unique_ptr<gfx::Context> m_Graphics;
    std::wstring m_Folder;
    float m_Share = 0.0f;
    float m_StartPos = 0.0f;
    float m_Progress = 0.0f;
    std::int32_t m_Trend = 0;
    std::int32_t m_Histograms = 0;
    std::int32_t m_Itic = 0;
    CPictureNames m_Names;
    std::vector<std::wstring> m_Written;
    std::wstring m_ItemKey;     // the key of the item being drawn, for names the wording lacks
    std::wstring m_FailedFile;  // the first picture that could not be written
};
