#include "lib/viewer/panes/TipText.h"

#include <cwctype>

namespace tracelume {

namespace {

// The tag's name in lower case, without "/" and attributes.
std::wstring TagName(const std::wstring& tag) {
    std::wstring name;
    for (wchar_t c : tag) {
        if (c == L'/' && name.empty()) {
            continue;
        }
        if (!std::iswalnum(static_cast<wint_t>(c))) {
            break;
        }
        name.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
    }
    return name;
}

void AppendReference(std::wstring& out, const std::wstring& name) {
    if (name == L"amp") {
        out.push_back(L'&');
    } else if (name == L"lt") {
        out.push_back(L'<');
    } else if (name == L"gt") {
        out.push_back(L'>');
    } else if (name == L"quot") {
        out.push_back(L'"');
    } else if (name == L"apos" || name == L"#39") {
        out.push_back(L'\'');
    } else if (name == L"nbsp") {
        out.push_back(L' ');
    } else {
        out += L'&' + name + L';';
    }
}

}  // namespace

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

std::wstring PlainTipText(const std::wstring& html) {
    std::wstring out;
    for (std::size_t i = 0; i < html.size(); ++i) {
        const wchar_t c = html[i];
        if (c == L'<') {
            const std::size_t close = html.find(L'>', i);
            if (close == std::wstring::npos) {
                break;
            }
            const std::wstring name = TagName(html.substr(i + 1, close - i - 1));
            if (name == L"br" || name == L"hr") {
                out.push_back(L'\n');
            }
            i = close;
        } else if (c == L'&') {
            const std::size_t end = html.find(L';', i);
            if (end == std::wstring::npos || end - i > 8) {
                out.push_back(c);
                continue;
            }
            AppendReference(out, html.substr(i + 1, end - i - 1));
            i = end;
        } else {
            out.push_back(c);
        }
    }
    // One line end between lines, none at either end.
    std::wstring lines;
    for (wchar_t c : out) {
        if (c == L'\n' && (lines.empty() || lines.back() == L'\n')) {
            continue;
        }
        lines.push_back(c);
    }
    while (!lines.empty() && lines.back() == L'\n') {
        lines.pop_back();
    }
    return lines;
}

}  // namespace tracelume
