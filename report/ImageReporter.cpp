#include "report/ImageReporter.h"

#include <filesystem>
#include <system_error>

#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "report/ReportConfig.h"
#include "report/ReportTexts.h"
#include "report/RtfReportText.h"
#include "report/SeriesStatistics.h"
#include "terminal/DataModel.h"
#include "terminal/HarmHistDataManager.h"

namespace {

constexpr unsigned kPictureWriteFailed = 6620;  // "图片文件无法写入：%s"

std::wstring ReplaceText(std::wstring pattern, const std::wstring& text)
{
    const std::size_t at = pattern.find(L"%s");
    if (at != std::wstring::npos) {
        pattern.replace(at, 2, text);
    }
    return pattern;
}

}  // namespace

ImageReporter::ImageReporter() = default;

ImageReporter::~ImageReporter() = default;

void ImageReporter::SetOptions(int trend, int histograms, int itic)
{
    m_Trend = trend;
    m_Histograms = histograms;
    m_Itic = itic;
}

int ImageReporter::ReportOutput(const std::wstring& outputPath, int share)
{
    try {
        m_StartPos = static_cast<float>(GetPosHourglaze());
        m_Share = static_cast<float>(static_cast<std::uint32_t>(share));
        m_Folder = outputPath;
        m_FailedFile.clear();
        ComputeItemStats(2);
        const CReportConfig* config = GetModel();
        const std::vector<CReportTrendItem> trendItems = config != nullptr ? config->GetTrendPart()
                                                                           : std::vector<CReportTrendItem>();
        const std::vector<CHarmTrendItem> harmItems =
            config != nullptr ? config->GetHarmPart().GetTrendItems() : std::vector<CHarmTrendItem>();
        std::error_code error;
        std::filesystem::create_directories(platform::ToPath(m_Folder), error);

        if (m_Trend != 0) {
            BuildTrendPictures(trendItems);
            m_Progress = 35.0f;
            BuildHarmTrendPictures(harmItems);
            m_Progress = 60.0f;
        }
        if (m_Histograms != 0) {
            BuildHarmBarPictures();
        }
        if (m_Itic != 0 && m_FailedFile.empty()) {
            const std::wstring name = m_Names.Reserve(L"itic", L"itic");
            BuildIticPicture(platform::FromPath(platform::ToPath(m_Folder) / platform::ToPath(name + L".png")));
        }
        UpdateHourglaze(m_Share / 100.0f * 100.0f + m_StartPos);
        if (!m_FailedFile.empty()) {
            SetReportName(ReplaceText(CZVResourceManager::GetResourceManager()->LoadString(kPictureWriteFailed),
                                      m_FailedFile));
            return 0;
        }
        return 1;
    } catch (...) {
        COndravaLog::GetInstance()->Write(L"an exception occurs in ImageReporter::ReportOutput");
        SetReportName(CZVResourceManager::GetResourceManager()->LoadString(reporttext::kGeneralError));
        m_Surface = gfx::Bitmap();
        m_Graphics.reset();
        return 0;
    }
}

void ImageReporter::ProgressStep()
{
    const float before = m_Progress;
    m_Progress += 1.0f;
    UpdateHourglaze(m_Share / 100.0f * before + m_StartPos);
}

bool ImageReporter::Query(const StatRequest& request, CPicOutputDataMgr& sink) const
{
    sink.Clear();
    IDataModel* model = GetCurrentModel();
    if (model == nullptr) {
        return false;
    }
    const int result = model->GetData(request.channel, request.statistic, request.order, request.valueKind,
                                      request.itemCode, reinterpret_cast<QueryWord>(&sink));
    return result == 1 && !sink.GetValues().empty();
}

std::optional<float> ImageReporter::QuerySummary(const StatRequest& request) const
{
    IDataModel* model = GetCurrentModel();
    if (model == nullptr) {
        return std::nullopt;
    }
    CHarmHistDataManager manager;
    if (model->GetData(request.channel, request.statistic, request.order, request.valueKind, request.itemCode,
                       reinterpret_cast<QueryWord>(&manager)) == 0) {
        return std::nullopt;
    }
    // A reader that summarises hands over the value alone; the 95 % value comes as
    // its position and value; otherwise the manager holds the statistic's series.
    const std::vector<double>& series = manager.GetSeries();
    if (request.statistic == 3) {
        float value = 0.0f;
        if (manager.GetSecondValue(&value) != 0) {
            return value;
        }
        return series.size() == 1 && HasValue(static_cast<float>(series.front())) ? std::optional<float>(series.front())
                                                                                  : std::nullopt;
    }
    std::vector<float> values(series.begin(), series.end());
    if (SeriesCount(values) == 0) {
        return std::nullopt;
    }
    switch (request.statistic) {
        case 0: return SeriesMax(values);
        case 1: return SeriesMin(values);
        default: return SeriesMean(values);
    }
}

int ImageReporter::NewChartSurface()
{
    m_Graphics.reset();
    m_Surface = gfx::Bitmap(kSurfaceWidth, kSurfaceHeight);
    if (m_Surface.IsEmpty()) {
        return 0;
    }
    m_Graphics = std::make_unique<gfx::Context>(m_Surface);
    m_Graphics->FillRect(gfx::Rect{0, 0, kSurfaceWidth, kSurfaceHeight}, gfx::Color{255, 255, 255, 255});
    return 1;
}

int ImageReporter::SavePng(const std::wstring& path)
{
    if (m_Surface.IsEmpty()) {
        return 0;
    }
    std::error_code error;
    std::filesystem::create_directories(platform::ToPath(m_Folder), error);
    m_Graphics.reset();
    const std::wstring file = path + L".png";
    const bool saved = m_Surface.SavePng(platform::ToPath(file));
    m_Surface = gfx::Bitmap();
    if (!saved) {
        NoteWriteFailure(file);
        return 0;
    }
    m_Written.push_back(file);
    return 1;
}

void ImageReporter::NoteWriteFailure(const std::wstring& file)
{
    COndravaLog::GetInstance()->Write(L"ImageReporter: the picture could not be written: " + file);
    if (m_FailedFile.empty()) {
        m_FailedFile = file;
    }
}

bool ImageReporter::SavePicture(const std::wstring& text, const std::wstring& fallback)
{
    const std::wstring name = m_Names.Reserve(text, fallback);
    return SavePng(platform::FromPath(platform::ToPath(m_Folder) / platform::ToPath(name))) == 1;
}

std::wstring ImageReporter::GraphText(const char* key) const
{
    return CRtfReportText::Instance().Text(RtfSection::TrendGraph, key);
}
