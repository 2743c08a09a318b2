#pragma once
// Tooltip texts of the viewer's panes. The tips are HTML for the tooltip renderer;
// every text that comes from the user or the host (mark names and comments, row
// and series names, value texts) is escaped before it goes into the markup.

#include <string>

namespace tracelume {

// The text with &, <, >, " and ' written as character references.
std::wstring EscapeHtml(const std::wstring& text);

// "name=time<br><hr color=blue><font color=blue><br>caption=comment</font>", the
// tip of a mark, with the values escaped.
std::wstring MarkTipHtml(const std::wstring& name, const std::wstring& time, const std::wstring& commentCaption,
                         const std::wstring& comment);

}  // namespace tracelume
