#include "platform/ui/DateTimePicker.h"

#include <algorithm>
#include <cwctype>

#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include "platform/ui/SpinArrows.h"

namespace ui {
namespace {

constexpr int kArrowsWidth = 14;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool IsValid(const DateTimeFields& f) {
    return f.year >= 1900 && f.year <= 9999 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
           f.day <= DaysInMonth(f.year, f.month) && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 && f.minute <= 59 &&
           f.second >= 0 && f.second <= 59;
}

}  // namespace

DateTimePicker::DateTimePicker(wxWindow* parent, const wxRect& rect, Mode mode)
    : wxPanel(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE | wxTAB_TRAVERSAL), m_mode(mode) {
    m_text = new wxTextCtrl(this, wxID_ANY);
    m_arrows = new SpinArrows(this, wxRect(0, 0, kArrowsWidth, rect.height), false, false);
    // The arrows only step: their own position is kept in the middle of a wide range.
    m_arrows->SetRange(-1000000, 1000000);
    m_arrows->Bind(wxEVT_SPIN, [this](wxSpinEvent& event) {
        StepField(event.GetPosition() > 0 ? 1 : -1);
        m_arrows->SetValue(0);
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        Place();
    });
    SetFormat(mode == Mode::Date ? L"yyyy-MM-dd" : L"HH:mm:ss");
    Place();
}

void DateTimePicker::Place() {
    const wxSize size = GetClientSize();
    m_text->SetSize(0, 0, std::max(0, size.x - kArrowsWidth), size.y);
    m_arrows->SetSize(std::max(0, size.x - kArrowsWidth), 0, kArrowsWidth, size.y);
}

bool DateTimePicker::Parse(const std::wstring& format, std::vector<Token>& tokens) {
    static const struct {
        const wchar_t* text;
        Token::Kind kind;
    } names[] = {{L"yyyy", Token::Year}, {L"MM", Token::Month}, {L"dd", Token::Day},
                 {L"HH", Token::Hour},   {L"mm", Token::Minute}, {L"ss", Token::Second}};
    tokens.clear();
    bool anyField = false;
    for (std::size_t at = 0; at < format.size();) {
        bool matched = false;
        for (const auto& name : names) {
            const std::wstring text = name.text;
            if (format.compare(at, text.size(), text) == 0) {
                tokens.push_back({name.kind, text, static_cast<int>(text.size())});
                at += text.size();
                matched = anyField = true;
                break;
            }
        }
        if (matched) {
            continue;
        }
        if (std::iswalpha(static_cast<wint_t>(format[at]))) {
            return false;  // a field this control does not show
        }
        tokens.push_back({Token::Literal, std::wstring(1, format[at]), 0});
        ++at;
    }
    return anyField;
}

bool DateTimePicker::SetFormat(const std::wstring& format) {
    const std::optional<DateTimeFields> shown = GetFields();
    std::vector<Token> tokens;
    if (!Parse(format, tokens)) {
        return false;
    }
    m_format = format;
    m_tokens = std::move(tokens);
    SetFields(shown.value_or(m_base));
    return true;
}

std::wstring DateTimePicker::Format(const DateTimeFields& f) const {
    std::wstring text;
    for (const Token& token : m_tokens) {
        int value = 0;
        switch (token.kind) {
        case Token::Literal:
            text += token.text;
            continue;
        case Token::Year: value = f.year; break;
        case Token::Month: value = f.month; break;
        case Token::Day: value = f.day; break;
        case Token::Hour: value = f.hour; break;
        case Token::Minute: value = f.minute; break;
        case Token::Second: value = f.second; break;
        }
        std::wstring digits = std::to_wstring(value);
        if (static_cast<int>(digits.size()) < token.width) {
            digits.insert(0, static_cast<std::size_t>(token.width) - digits.size(), L'0');
        }
        text += digits;
    }
    return text;
}

void DateTimePicker::SetFields(const DateTimeFields& fields) {
    m_base = fields;
    m_text->ChangeValue(wxString(Format(fields)));
    // Programmatic changes tell the dialog as typing does.
    wxCommandEvent event(wxEVT_TEXT, m_text->GetId());
    event.SetEventObject(m_text);
    m_text->GetEventHandler()->ProcessEvent(event);
}

std::optional<DateTimeFields> DateTimePicker::GetFields() const {
    if (m_text == nullptr) {
        return std::nullopt;
    }
    const std::wstring text = m_text->GetValue().ToStdWstring();
    DateTimeFields fields = m_base;
    std::size_t at = 0;
    for (const Token& token : m_tokens) {
        if (token.kind == Token::Literal) {
            if (text.compare(at, token.text.size(), token.text) != 0) {
                return std::nullopt;
            }
            at += token.text.size();
            continue;
        }
        int value = 0;
        int digits = 0;
        while (at < text.size() && digits < token.width && text[at] >= L'0' && text[at] <= L'9') {
            value = value * 10 + (text[at] - L'0');
            ++at;
            ++digits;
        }
        if (digits == 0) {
            return std::nullopt;
        }
        switch (token.kind) {
        case Token::Year: fields.year = value; break;
        case Token::Month: fields.month = value; break;
        case Token::Day: fields.day = value; break;
        case Token::Hour: fields.hour = value; break;
        case Token::Minute: fields.minute = value; break;
        case Token::Second: fields.second = value; break;
        case Token::Literal: break;
        }
    }
    if (at != text.size() || !IsValid(fields)) {
        return std::nullopt;
    }
    return fields;
}

void DateTimePicker::StepField(int direction) {
    std::optional<DateTimeFields> fields = GetFields();
    if (!fields) {
        return;
    }
    // The field the caret is in: the last one starting at or before it (the first
    // one when the caret stands before every field).
    const long caret = m_text->GetInsertionPoint();
    long start = 0;
    const Token* field = nullptr;
    for (const Token& token : m_tokens) {
        if (token.kind != Token::Literal && (field == nullptr || caret >= start)) {
            field = &token;
        }
        start += token.kind == Token::Literal ? static_cast<long>(token.text.size()) : token.width;
    }
    if (field == nullptr) {
        return;
    }
    DateTimeFields& f = *fields;
    auto wrap = [direction](int value, int low, int high) {
        value += direction;
        return value > high ? low : value < low ? high : value;
    };
    switch (field->kind) {
    case Token::Year: f.year = std::clamp(f.year + direction, 1900, 9999); break;
    case Token::Month: f.month = wrap(f.month, 1, 12); break;
    case Token::Day: f.day = wrap(f.day, 1, DaysInMonth(f.year, f.month)); break;
    case Token::Hour: f.hour = wrap(f.hour, 0, 23); break;
    case Token::Minute: f.minute = wrap(f.minute, 0, 59); break;
    case Token::Second: f.second = wrap(f.second, 0, 59); break;
    case Token::Literal: break;
    }
    f.day = std::min(f.day, DaysInMonth(f.year, f.month));
    SetFields(f);
    m_text->SetInsertionPoint(caret);
}

}  // namespace ui
