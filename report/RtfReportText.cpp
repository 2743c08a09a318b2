#include "report/RtfReportText.h"

#include <tinyxml2.h>

#include "core/ZVLanguageList.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace {

using namespace std::string_view_literals;

constexpr std::string_view kGlobalKeys[] = {"MakingHarmTrend"sv, "MakingTrend"sv, "HarmARms"sv,
                                            "HarmARms_I"sv,      "HarmVRms"sv,    "HarmVRms_I"sv};

constexpr std::string_view kFrontPageKeys[] = {
    "Title"sv,          "DataTerminal"sv,    "DataDeviceType"sv,  "DataStartTime"sv,     "DataEndTime"sv,
    "DataIntervalTime"sv, "DataLastTime"sv,  "DataRecordNums"sv,  "DataVolLevel"sv,      "DataVolSys"sv,
    "DataStandVolume"sv, "DataMinVolume"sv,  "DataPT"sv,          "DataCT"sv,            "WireConnect"sv,
    "DataLocation"sv,   "DataLTD"sv,         "DataOperator"sv,    "DataReportCreator"sv, "DataReportTime"sv,
    "ReportOprt"sv,     "ReportDept"sv};

constexpr std::string_view kZvParamKeys[] = {
    "Title"sv,    "ParamItem"sv, "Fq"sv,       "NegUnbal"sv,  "Pst"sv,       "Plt"sv,       "VoltOffet"sv,
    "BaseVolt"sv, "BaseCurr"sv,  "VoltTHD"sv,  "PF"sv,        "MaxValue"sv,  "MinValue"sv,  "AvgValue"sv,
    "C95Value"sv, "GbValue"sv,   "TestTimes"sv, "OverLimitTimes"sv, "IsPass"sv, "PassPercent"sv, "Pass"sv,
    "Fail"sv,     "JudgedOn"sv};

constexpr std::string_view kRtfHarmTableKeys[] = {
    "TableTitle"sv, "TableTitleContinue"sv, "GraphTitle"sv, "TestTimes"sv,      "ParamItem"sv, "HarmTimes"sv,
    "MaxValue"sv,   "MinValue"sv,           "AvgValue"sv,   "C95Value"sv,       "GbValue"sv,   "OverLimitTimes"sv,
    "IsPass"sv,     "PassPercent"sv,        "Pass"sv,       "Fail"sv,           "JudgedOn"sv,  "FromHarmonics"sv};

constexpr std::string_view kTrendParamKeys[] = {
    "ZV_TREND_NAME_FREQ"sv,      "ZV_TREND_NAME_URMS"sv,    "ZV_TREND_NAME_UAVG"sv,      "ZV_TREND_NAME_HALF_URMS"sv,
    "ZV_TREND_NAME_Upk_PLUS"sv,  "ZV_TREND_NAME_IRMS"sv,    "ZV_TREND_NAME_HALF_IRMS"sv, "ZV_TREND_NAME_IPK_PLUS"sv,
    "ZV_TREND_NAME_IAVG"sv,      "ZV_TREND_NAME_P"sv,       "ZV_TREND_NAME_S"sv,         "ZV_TREND_NAME_Q"sv,
    "ZV_TREND_NAME_PF"sv,        "ZV_TREND_NAME_DPF"sv,     "ZV_TREND_NAME_KF"sv,        "ZV_TREND_NAME_UNB"sv,
    "ZV_TREND_NAME_INB"sv,       "ZV_TREND_NAME_UZB"sv,     "ZV_TREND_NAME_IZB"sv,       "ZV_TREND_NAME_U_THD"sv,
    "ZV_TREND_NAME_I_THD"sv,     "ZV_TREND_NAME_UPOS"sv,    "ZV_TREND_NAME_UNEG"sv,      "ZV_TREND_NAME_UZERO"sv,
    "ZV_TREND_NAME_IPOS"sv,      "ZV_TREND_NAME_INEG"sv,    "ZV_TREND_NAME_IZERO"sv,     "ZV_TREND_NAME_WP"sv,
    "ZV_TREND_NAME_WQ"sv,        "ZV_TREND_NAME_WS"sv,      "ZV_TREND_NAME_FLUCT"sv,     "ZV_TREND_NAME_PST"sv,
    "ZV_TREND_NAME_PLT"sv,       "ZV_TREND_NAME_Upk_MINUS"sv, "ZV_TREND_NAME_IPK_MINUS"sv};

constexpr std::string_view kTrendHarmsKeys[] = {
    "ZV_HARM_TREND_U_L1"sv,    "ZV_HARM_TREND_U_L1_THD"sv, "ZV_HARM_TREND_U_L2"sv,    "ZV_HARM_TREND_U_L2_THD"sv,
    "ZV_HARM_TREND_U_L3"sv,    "ZV_HARM_TREND_U_L3_THD"sv, "ZV_HARM_TREND_I_L1"sv,    "ZV_HARM_TREND_I_L1_THD"sv,
    "ZV_HARM_TREND_I_L2"sv,    "ZV_HARM_TREND_I_L2_THD"sv, "ZV_HARM_TREND_I_L3"sv,    "ZV_HARM_TREND_I_L3_THD"sv,
    "ZV_HARM_H_TREND_U_L1"sv,  "ZV_HARM_H_TREND_U_L2"sv,   "ZV_HARM_H_TREND_U_L3"sv,  "ZV_HARM_H_TREND_I_L1"sv,
    "ZV_HARM_H_TREND_I_L2"sv,  "ZV_HARM_H_TREND_I_L3"sv,   "ZV_HARM_IN_TREND_U_L1"sv, "ZV_HARM_IN_TREND_U_L2"sv,
    "ZV_HARM_IN_TREND_U_L3"sv, "ZV_HARM_IN_TREND_I_L1"sv,  "ZV_HARM_IN_TREND_I_L2"sv, "ZV_HARM_IN_TREND_I_L3"sv};

constexpr std::string_view kTrendGraphKeys[] = {"MaxValue"sv, "MaxValueTime"sv, "MinValue"sv, "AvgValue"sv,
                                                "C95Value"sv, "Value"sv,        "Sum"sv,      "GraphName"sv};

constexpr std::string_view kEventSummaryKeys[] = {"Title"sv, "EventKind"sv, "Times"sv, "Comtrade"sv, "Soe"sv};

constexpr std::string_view kComtradeEventKeys[] = {"Title"sv,    "EventKind"sv, "Times"sv,  "VoltFlush"sv,
                                                   "VoldDip"sv,  "CurInt"sv,    "CurFlush"sv, "ITIC_Y"sv,
                                                   "ITIC_X"sv,   "ITIC_EventNum"sv, "ITIC_Over"sv};

constexpr std::string_view kSoeEventKeys[] = {"Title"sv,          "EventKind"sv,    "Times"sv,
                                              "THD_OFFLIMIT"sv,   "NG_UNBALENCE"sv, "UP_DOWN_OFFSET"sv,
                                              "PT_OFFSET"sv,      "HARM_RATIO"sv,   "ZR_UNBALENCE"sv,
                                              "LONG_TERM_DISRUPTION_OFFLIMIT"sv, "HZ_OFFLIMIT"sv};

constexpr std::string_view kEventChartKeys[] = {
    "Title"sv,     "THD_OFFLIMIT"sv, "NG_UNBALENCE"sv, "UP_DOWN_OFFSET"sv, "PT_OFFSET"sv, "HARM_RATIO"sv,
    "ZR_UNBALENCE"sv, "LONG_TERM_DISRUPTION_OFFLIMIT"sv, "HZ_OFFLIMIT"sv, "Unit"sv, "UpOverLimit"sv,
    "DownOverLimit"sv, "Volt"sv, "Curr"sv, "PLT"sv, "PST"sv, "Int"sv};

// Where each section stands in the file, in the order the sections are read.
struct SectionPlace {
    RtfSection section;
    const char* element;     // under "Main"
    const char* subElement;  // under that element, or null
};

constexpr SectionPlace kPlaces[] = {
    {RtfSection::Global, "Global", nullptr},
    {RtfSection::FrontPage, "FrontPage", nullptr},
    {RtfSection::ZvParam, "ZvParam", nullptr},
    {RtfSection::VHarm, "VHarm", nullptr},
    {RtfSection::AHarm, "AHarm", nullptr},
    {RtfSection::TrendParam, "Trends", "Param"},
    {RtfSection::TrendHarms, "Trends", "Harms"},
    {RtfSection::TrendGraph, "Trends", "Graph"},
    {RtfSection::EventSummary, "Event", "Summary"},
    {RtfSection::ComtradeEvent, "Event", "ComtradeEvent"},
    {RtfSection::SoeEvent, "Event", "SoeEvent"},
    {RtfSection::EventChart, "Event", "Chart"},
};

}  // namespace

CRtfReportText& CRtfReportText::Instance()
{
    static CRtfReportText texts;
    return texts;
}

std::span<const std::string_view> CRtfReportText::Keys(RtfSection section)
{
    switch (section) {
    case RtfSection::Global:
        return kGlobalKeys;
    case RtfSection::FrontPage:
        return kFrontPageKeys;
    case RtfSection::ZvParam:
        return kZvParamKeys;
    case RtfSection::VHarm:
    case RtfSection::AHarm:
        return kRtfHarmTableKeys;
    case RtfSection::TrendParam:
        return kTrendParamKeys;
    case RtfSection::TrendHarms:
        return kTrendHarmsKeys;
    case RtfSection::TrendGraph:
        return kTrendGraphKeys;
    case RtfSection::EventSummary:
        return kEventSummaryKeys;
    case RtfSection::ComtradeEvent:
        return kComtradeEventKeys;
    case RtfSection::SoeEvent:
        return kSoeEventKeys;
    case RtfSection::EventChart:
        return kEventChartKeys;
    }
    return {};
}

std::wstring CRtfReportText::GetXmlElementText(const tinyxml2::XMLElement& parent, std::string_view key)
{
    for (const tinyxml2::XMLNode* node = parent.FirstChild(); node != nullptr; node = node->NextSibling()) {
        if (node->Value() == nullptr || key != node->Value()) {
            continue;
        }
        const tinyxml2::XMLElement* element = node->ToElement();
        if (element == nullptr) {
            return L"__??";
        }
        const tinyxml2::XMLNode* first = element->FirstChild();
        if (first == nullptr || first->ToText() == nullptr || first->Value() == nullptr) {
            return L"??__";
        }
        return platform::Utf8ToWide(first->Value());
    }
    return L"_??_";
}

void CRtfReportText::LoadSection(RtfSection section, const tinyxml2::XMLElement& element)
{
    auto& texts = m_Texts[static_cast<std::size_t>(section)];
    for (const std::string_view key : Keys(section)) {
        texts[std::string(key)] = GetXmlElementText(element, key);
    }
}

std::filesystem::path CRtfReportText::LanguageFile()
{
    return platform::ToPath(CZVLanguageList::GetLanguageDir() + L"RtfReport.xml");
}

int CRtfReportText::Load()
{
    return LoadFile(LanguageFile());
}

int CRtfReportText::LoadFile(const std::filesystem::path& file)
{
    m_Loaded = false;
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) {
        return 0;
    }
    tinyxml2::XMLDocument document;
    if (document.Parse(bytes->data(), bytes->size()) != tinyxml2::XML_SUCCESS) {
        return 0;
    }
    const tinyxml2::XMLElement* main = document.FirstChildElement("Main");
    if (main == nullptr) {
        return 0;
    }
    for (const SectionPlace& place : kPlaces) {
        const tinyxml2::XMLElement* element = main->FirstChildElement(place.element);
        if (element != nullptr && place.subElement != nullptr) {
            element = element->FirstChildElement(place.subElement);
        }
        if (element == nullptr) {
            return 0;
        }
        LoadSection(place.section, *element);
    }
    m_Loaded = true;
    return 1;
}

std::wstring CRtfReportText::Text(RtfSection section, std::string_view key) const
{
    const auto& texts = m_Texts[static_cast<std::size_t>(section)];
    const auto found = texts.find(key);
    return found != texts.end() ? found->second : std::wstring();
}
