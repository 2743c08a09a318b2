#pragma once
// CPictureNames: the file names of the pictures of one report run. A name is the
// picture's text made safe for a file name on any of the systems the folder may be
// shared with (no path separators, reserved characters, control characters or
// trailing dots and blanks); a text that is missing (empty, or one of the report
// wording's markers for a text it lacks) gives way to the item's key. A name
// already given in this run, in any letter case, gets "_2", "_3" ..., so that no
// picture replaces another.

#include <set>
#include <string>

class CPictureNames {
public:
    // The name for a picture titled `text` of the item `fallback`; never empty.
    std::wstring Reserve(const std::wstring& text, const std::wstring& fallback);

    // Whether the wording lacked the text.
    static bool IsMissingText(const std::wstring& text);
    static std::wstring Sanitize(const std::wstring& text);

private:
    std::set<std::wstring> m_Taken;  // lower-case forms of the names given
};
