#include "report/ReportConfig.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "core/XmlHelper.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "report/KeyedList.h"
#include "report/ReportItemTables.h"

namespace {

using tinyxml2::XMLElement;

constexpr const char* kRoot = "Ondrava";
constexpr const char* kBasicInfo = "ZVBasicInfo";
constexpr const char* kParamTable = "ZVParamTable";
constexpr const char* kTrend = "ZVTrend";
constexpr const char* kHarm = "ZVHarm";
constexpr const char* kHarmTable = "ZVHarmTable";
constexpr const char* kHarmTrend = "ZVHarmTrend";

// Phase attributes of a trend item, by phase code 0 to 4.
constexpr const char* kPhaseNames[] = {"PhaseA", "PhaseB", "PhaseC", "PhaseN", "PhaseDefault"};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Leading white space, an optional sign, then the decimal digits that follow;
// anything after them is ignored, no digits give 0, and the value saturates.
std::int32_t LenientInt(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::int64_t value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        value = std::min<std::int64_t>(value * 10 + (text[pos] - '0'), std::int64_t{1} << 32);
    }
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
}

void ReadInt(const XMLElement& element, const char* name, std::int32_t& value)
{
    if (const char* text = element.Attribute(name)) {
        value = LenientInt(text);
    }
}

void ReadText(const XMLElement& element, const char* name, std::string& value)
{
    if (const char* text = element.Attribute(name)) {
        value = text;
    }
}

std::size_t CountChildren(const XMLElement& element)
{
    std::size_t count = 0;
    for (const XMLElement* child = element.FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
        ++count;
    }
    return count;
}

// A phase record from its six-digit text; a shorter text gives the generic default.
std::optional<CReportTrendPhase> ParsePhase(std::string_view text, std::int32_t code)
{
    if (text.size() < 6) {
        return CReportTrendPhase{1, code, 1, 1, 1, 1, 0};
    }
    if (!std::all_of(text.begin(), text.begin() + 6, IsDigit)) {
        return std::nullopt;
    }
    return CReportTrendPhase{text[0] - '0', code,        text[1] - '0', text[2] - '0',
                             text[3] - '0', text[4] - '0', text[5] - '0'};
}

// Two digits per order, run together; a last odd character is ignored.
std::optional<OrderGroup> ParseGroup(std::string_view text)
{
    OrderGroup group;
    for (std::size_t i = 0; i + 2 <= text.size(); i += 2) {
        if (!IsDigit(text[i]) || !IsDigit(text[i + 1])) {
            return std::nullopt;
        }
        group.insert((text[i] - '0') * 10 + (text[i + 1] - '0'));
    }
    return group;
}

std::string FormatGroup(const OrderGroup& group)
{
    std::string text;
    for (const std::int32_t order : group) {
        if (order >= 0 && order <= 99) {
            text += static_cast<char>('0' + order / 10);
            text += static_cast<char>('0' + order % 10);
        }
    }
    return text;
}

// The file's text as UTF-8: our own files are UTF-8 already; older copies wrote the
// texts in the GBK code page under the same UTF-8 declaration.
std::string AsUtf8(const std::string& bytes)
{
    const platform::TextEncoding encoding = platform::DetectEncoding(bytes);
    if (encoding == platform::TextEncoding::Utf8) {
        return bytes;
    }
    return platform::WideToUtf8(platform::Decode(bytes, encoding));
}

// What a file holds, read into a copy of the configuration; any damage refuses the whole file.
class CConfigReader {
public:
    CConfigReader(std::vector<CReportParamItem>& params, std::vector<CReportTrendItem>& trends,
                  CReportHarmPart& harm, CReportBasicInfo& info)
        : m_Params(params), m_Trends(trends), m_Harm(harm), m_Info(info)
    {
    }

    void ReadBasicInfo(const XMLElement& element)
    {
        ReadText(element, "OperatePlace", m_Info.place);
        ReadText(element, "OperateDept", m_Info.department);
        ReadText(element, "Operator", m_Info.operatorName);
        ReadText(element, "Reporter", m_Info.reporter);
    }

    bool ReadParams(const XMLElement& table)
    {
        return ReadItems(
            table,
            [this](const XMLElement& element) {
                CReportParamItem item(element.Name());
                ReadInt(element, "Enabled", item.Enabled);
                ReadInt(element, "PhaseA", item.PhaseA);
                ReadInt(element, "PhaseB", item.PhaseB);
                ReadInt(element, "PhaseC", item.PhaseC);
                ReadInt(element, "PhaseN", item.PhaseN);
                SetOrAddByKey(m_Params, item);
                return true;
            },
            [this] { return m_Params.size(); });
    }

    bool ReadTrends(const XMLElement& table)
    {
        return ReadItems(
            table,
            [this](const XMLElement& element) {
                CReportTrendItem item(element.Name());
                ReadInt(element, "Enabled", item.Enabled);
                for (const std::int32_t code : {4, 0, 1, 2, 3}) {
                    if (const char* text = element.Attribute(kPhaseNames[code])) {
                        const std::optional<CReportTrendPhase> phase = ParsePhase(text, code);
                        if (!phase) {
                            return false;
                        }
                        item.SetPhase(*phase);
                    }
                }
                SetOrAddByKey(m_Trends, item);
                return true;
            },
            [this] { return m_Trends.size(); });
    }

    bool ReadHarm(const XMLElement& harm)
    {
        for (const XMLElement* child = harm.FirstChildElement(); child != nullptr;
             child = child->NextSiblingElement()) {
            const std::string_view name = child->Name();
            if ((name == kHarmTable && !ReadHarmTables(*child)) || (name == kHarmTrend && !ReadHarmTrends(*child))) {
                return false;
            }
        }
        return true;
    }

private:
    // Reads every item element of a list with `read`, which refuses a damaged item;
    // `size` gives the length the list has grown to.
    template <typename Read, typename Size>
    static bool ReadItems(const XMLElement& table, Read read, Size size)
    {
        if (CountChildren(table) > CReportConfig::kMaxListItems) {
            return false;
        }
        for (const XMLElement* child = table.FirstChildElement(); child != nullptr;
             child = child->NextSiblingElement()) {
            if (!read(*child)) {
                return false;
            }
        }
        return size() <= CReportConfig::kMaxListItems;
    }

    bool ReadHarmTables(const XMLElement& table)
    {
        return ReadItems(
            table,
            [this](const XMLElement& element) {
                CHarmTableItem item(element.Name());
                ReadInt(element, "Enabled", item.Enabled);
                const char* counts = element.Attribute("HarmCountMap");
                if (counts != nullptr && !item.ParseCountMap(counts)) {
                    return false;
                }
                m_Harm.SetTableItem(item);
                return true;
            },
            [this] { return m_Harm.GetTableItems().size(); });
    }

    bool ReadHarmTrends(const XMLElement& table)
    {
        return ReadItems(
            table,
            [this](const XMLElement& element) {
                if (CountChildren(element) > CReportConfig::kMaxGroupsPerItem) {
                    return false;
                }
                CHarmTrendItem item(element.Name());
                item.ClearGroups();
                ReadInt(element, "Enabled", item.Enabled);
                for (const XMLElement* chart = element.FirstChildElement(); chart != nullptr;
                     chart = chart->NextSiblingElement()) {
                    const char* selected = chart->Attribute("Selected");
                    const std::optional<OrderGroup> group = ParseGroup(selected != nullptr ? selected : "");
                    if (!group) {
                        return false;
                    }
                    item.AddGroup(*group);
                }
                m_Harm.SetTrendItem(item);
                return true;
            },
            [this] { return m_Harm.GetTrendItems().size(); });
    }

    std::vector<CReportParamItem>& m_Params;
    std::vector<CReportTrendItem>& m_Trends;
    CReportHarmPart& m_Harm;
    CReportBasicInfo& m_Info;
};

XMLElement* AddItem(XMLElement* parent, const std::string& key, std::int32_t enabled)
{
    XMLElement* element = CXmlHelper::AddChildElement(parent, key);
    CXmlHelper::SetAttribute(element, "Enabled", std::to_string(enabled));
    return element;
}

}  // namespace

CReportConfig::CReportConfig()
    : m_ParamItems(DefaultParamItems()), m_TrendItems(DefaultTrendItems())
{
    for (const CHarmTableItem& item : DefaultHarmTableItems()) {
        m_HarmPart.SetTableItem(item);
    }
    for (const CHarmTrendItem& item : DefaultHarmTrendItems()) {
        m_HarmPart.SetTrendItem(item);
    }
}

void CReportConfig::SetParamItem(const CReportParamItem& item)
{
    SetOrAddByKey(m_ParamItems, item);
}

void CReportConfig::SetTrendItem(const CReportTrendItem& item)
{
    SetOrAddByKey(m_TrendItems, item);
}

int CReportConfig::Save(const std::wstring& path) const
{
    tinyxml2::XMLDocument document;
    CXmlHelper::AddDeclaration(document, "1.0", "UTF-8", "");
    XMLElement* root = CXmlHelper::AddRootElement(document, kRoot);
    XMLElement* info = CXmlHelper::AddChildElement(root, kBasicInfo);
    XMLElement* params = CXmlHelper::AddChildElement(root, kParamTable);
    XMLElement* trends = CXmlHelper::AddChildElement(root, kTrend);
    XMLElement* harm = CXmlHelper::AddChildElement(root, kHarm);

    CXmlHelper::SetAttribute(info, "OperatePlace", m_BasicInfo.place);
    CXmlHelper::SetAttribute(info, "OperateDept", m_BasicInfo.department);
    CXmlHelper::SetAttribute(info, "Operator", m_BasicInfo.operatorName);
    CXmlHelper::SetAttribute(info, "Reporter", m_BasicInfo.reporter);

    for (const CReportParamItem& item : m_ParamItems) {
        XMLElement* element = AddItem(params, item.key, item.Enabled);
        CXmlHelper::SetAttribute(element, "PhaseA", std::to_string(item.PhaseA));
        CXmlHelper::SetAttribute(element, "PhaseB", std::to_string(item.PhaseB));
        CXmlHelper::SetAttribute(element, "PhaseC", std::to_string(item.PhaseC));
        CXmlHelper::SetAttribute(element, "PhaseN", std::to_string(item.PhaseN));
    }
    for (const CReportTrendItem& item : m_TrendItems) {
        XMLElement* element = AddItem(trends, item.GetKey(), item.Enabled);
        for (const CReportTrendPhase& phase : item.GetPhases()) {
            if (phase.code >= 0 && phase.code <= CReportTrendPhase::kDefault) {
                CXmlHelper::SetAttribute(element, kPhaseNames[phase.code], item.FormatPhase(phase.code));
            }
        }
    }
    XMLElement* tables = CXmlHelper::AddChildElement(harm, kHarmTable);
    for (const CHarmTableItem& item : m_HarmPart.GetTableItems()) {
        CXmlHelper::SetAttribute(AddItem(tables, item.key, item.Enabled), "HarmCountMap", item.FormatCountMap());
    }
    XMLElement* harmTrends = CXmlHelper::AddChildElement(harm, kHarmTrend);
    for (const CHarmTrendItem& item : m_HarmPart.GetTrendItems()) {
        XMLElement* element = AddItem(harmTrends, item.key, item.Enabled);
        for (const OrderGroup& group : item.GetGroups()) {
            CXmlHelper::SetAttribute(CXmlHelper::AddChildElement(element, "TrendItem"), "Selected", FormatGroup(group));
        }
    }
    return CXmlHelper::SaveFile(document, platform::WideToUtf8(path)) ? 1 : 0;
}

int CReportConfig::Load(const std::wstring& path)
{
    const std::optional<std::string> bytes = platform::ReadFileBytes(platform::ToPath(path));
    if (!bytes) {
        return 0;
    }
    const std::string text = AsUtf8(*bytes);
    tinyxml2::XMLDocument document;
    if (!CXmlHelper::Parse(document, text)) {
        return 0;
    }
    const XMLElement* root = document.FirstChildElement();
    if (root == nullptr || std::string_view(root->Name()) != kRoot) {
        return 0;
    }
    const XMLElement* info = nullptr;
    const XMLElement* params = nullptr;
    const XMLElement* trends = nullptr;
    const XMLElement* harm = nullptr;
    for (const XMLElement* child = root->FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
        const std::string_view name = child->Name();
        if (name == kBasicInfo) {
            info = child;
        } else if (name == kParamTable) {
            params = child;
        } else if (name == kTrend) {
            trends = child;
        } else if (name == kHarm) {
            harm = child;
        }
    }
    CReportConfig next = *this;
    CConfigReader reader(next.m_ParamItems, next.m_TrendItems, next.m_HarmPart, next.m_BasicInfo);
    if (info != nullptr) {
        reader.ReadBasicInfo(*info);
    }
    if ((params != nullptr && !reader.ReadParams(*params)) || (trends != nullptr && !reader.ReadTrends(*trends)) ||
        (harm != nullptr && !reader.ReadHarm(*harm))) {
        return 0;
    }
    *this = std::move(next);
    return 1;
}
