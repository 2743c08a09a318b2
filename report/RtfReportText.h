#pragma once
// CRtfReportText: the fixed wording of the reports (titles, row and column headings,
// pass and fail words, chart captions, event kinds) in the selected language, read
// once from "RtfReport.xml" of the language's folder into one table per section. The
// main frame loads it while its window is created, and again when the user picks
// another language; the reporters read it afterwards, from their worker too, while
// nothing loads it again (a report runs behind the modal busy indicator). A report
// is only made while every section is loaded (IsLoaded): wording that is missing
// fails the report instead of leaving its pages without words.
//
// The file: a UTF-8 XML document with the root "Main"; under it "Global",
// "FrontPage", "ZvParam", "VHarm", "AHarm", "Trends" (with "Param", "Harms",
// "Graph") and "Event" (with "Summary", "ComtradeEvent", "SoeEvent", "Chart"); each
// text is the content of the element named by its key directly under its section.

#include <array>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace tinyxml2 {
class XMLElement;
}

enum class RtfSection {
    Global,         // "Global"
    FrontPage,      // "FrontPage"
    ZvParam,        // "ZvParam": the power-quality parameter table
    VHarm,          // "VHarm": the voltage harmonic table
    AHarm,          // "AHarm": the current harmonic table
    TrendParam,     // "Trends"/"Param": names of the trend keys
    TrendHarms,     // "Trends"/"Harms": names of the harmonic trend keys
    TrendGraph,     // "Trends"/"Graph": trend chart labels
    EventSummary,   // "Event"/"Summary"
    ComtradeEvent,  // "Event"/"ComtradeEvent": transient events and the ITIC chart
    SoeEvent,       // "Event"/"SoeEvent": steady-state alarms
    EventChart,     // "Event"/"Chart": the alarm statistic charts
};

class CRtfReportText {
public:
    static constexpr std::size_t kSectionCount = 12;

    // The program's texts.
    static CRtfReportText& Instance();

    // "RtfReport.xml" of the selected language's folder. 1 when every section was
    // found; otherwise 0, and the sections after the first missing one keep what
    // they held (empty at first).
    int Load();
    int LoadFile(const std::filesystem::path& file);
    // Whether the last load found every section.
    bool IsLoaded() const { return m_Loaded; }
    // "RtfReport.xml" of the selected language's folder.
    static std::filesystem::path LanguageFile();

    // The text of a key of a section: what the file held, one of the markers "_??_"
    // (no element of that name), "__??" (the first node of that name is not an
    // element) or "??__" (an element without text) when it held none, and empty when
    // the section was not loaded or the key is not one of the section's.
    std::wstring Text(RtfSection section, std::string_view key) const;

    // The keys of a section, in the order of its table.
    static std::span<const std::string_view> Keys(RtfSection section);

    // The text of the element `key` directly under `parent`, or one of the markers.
    static std::wstring GetXmlElementText(const tinyxml2::XMLElement& parent, std::string_view key);

private:
    void LoadSection(RtfSection section, const tinyxml2::XMLElement& element);

    std::array<std::map<std::string, std::wstring, std::less<>>, kSectionCount> m_Texts;
    bool m_Loaded = false;
};
