#include "lib/viewer/panes/TipText.h"

namespace tracelume {

std::wstring EscapeHtml(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
            case L'&': out += L"&amp;"; break;
            case L'<': out += L"&lt;"; break;
            case L'>': out += L"&gt;"; break;
            case L'"': out += L"&quot;"; break;
            case L'\'': out += L"&#39;"; break;
            default: out.push_back(c);
        }
    }
    return out;
}

std::wstring MarkTipHtml(const std::wstring& name, const std::wstring& time, const std::wstring& commentCaption,
                         const std::wstring& comment) {
    return EscapeHtml(name) + L"=" + EscapeHtml(time) + L"<br><hr color=blue><font color=blue><br>" +
           EscapeHtml(commentCaption) + L"=" + EscapeHtml(comment) + L"</font>";
}

}  // namespace tracelume
