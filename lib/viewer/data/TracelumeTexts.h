#pragma once
// The viewer's own language texts: one text table for the library, filled from
// "TracelumeRecord.xml" of the language the user chose for the program, falling
// back to the texts built into the library. A command's tip and menu text has the
// command's id ("tip\nmenu text").

#include <cstdint>
#include <string>

#include "lib/tinyres/TinyResourceManager.h"

namespace tracelume {

inline constexpr std::uint32_t kTextWindowProperties = 2;  // property XML template of the waveform window
inline constexpr std::uint32_t kTextMarkProperties = 5;    // property XML template of a mark
inline constexpr std::uint32_t kTextComment = 30001;
inline constexpr std::uint32_t kTextTime = 30002;
inline constexpr std::uint32_t kTextStartTime = 30003;
inline constexpr std::uint32_t kTextEndTime = 30004;
inline constexpr std::uint32_t kTextDataWidth = 30005;
inline constexpr std::uint32_t kTextLegendFont = 30000;
inline constexpr std::uint32_t kTextDisplayMode = 30006;
inline constexpr std::uint32_t kTextGoToMark = 30007;
inline constexpr std::uint32_t kTextMoveMarkHere = 30008;
inline constexpr std::uint32_t kTextSaveFailed = 30009;
inline constexpr std::uint32_t kTextViewUpperBound = 30010;
inline constexpr std::uint32_t kTextViewLowerBound = 30011;
inline constexpr std::uint32_t kTextPageArea = 30012;
inline constexpr std::uint32_t kTextViewArea = 30013;
inline constexpr std::uint32_t kTextDataArea = 30014;
inline constexpr std::uint32_t kTextPosition = 30015;
inline constexpr std::uint32_t kTextPointerPosition = 30016;
inline constexpr std::uint32_t kTextMarksTitle = 30017;
inline constexpr std::uint32_t kTextColumnName = 30018;
inline constexpr std::uint32_t kTextColumnGroup = 30019;
inline constexpr std::uint32_t kTextApplyComment = 30020;
inline constexpr std::uint32_t kTextOk = 30021;
inline constexpr std::uint32_t kTextCancel = 30022;
inline constexpr std::uint32_t kTextDataStart = 30024;
inline constexpr std::uint32_t kTextDataEnd = 30025;
inline constexpr std::uint32_t kTextTimeOffset = 32803;
inline constexpr std::uint32_t kTextDeleteAllMarks = 32804;
inline constexpr std::uint32_t kTextFontFace = 32827;
inline constexpr std::uint32_t kTextCollapse = 32828;
inline constexpr std::uint32_t kTextExpand = 32829;

// The library's built-in texts (Simplified Chinese).
const CTinyResourceManager::StringTable& BuiltinTexts();

// The library's text table, made on first use (it reads the program's language
// list then). May throw when it cannot be made (memory).
CTinyResourceManager& Texts();

// The menu text of a command: the part of its text after the line feed, or the
// whole text when it has no second part.
std::wstring MenuText(std::uint32_t id);

// Fills the table from "TracelumeRecord.xml" in the chosen language's folder, as
// every new viewer does; without that file the built-in texts serve.
void LoadLanguageFile();

}  // namespace tracelume
