#pragma once
// The date and time controls of dialog templates (window class "SysDateTimePick32"):
// a text box showing a date or a time of day in a fixed format, with arrows that
// step the field under the caret. A template control with the time-format style
// shows "HH:mm:ss", any other "yyyy-MM-dd"; SetFormat takes another layout of the
// same fields (yyyy, MM, dd, HH, mm, ss and literal characters).
//
// The text can be typed freely; GetFields answers only while it reads as a real date
// or time in the format. Every change of the text, typed or stepped, arrives at the
// dialog as a kMsgNotify with kNotifyDateTimeChange.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <wx/panel.h>

class wxTextCtrl;

namespace ui {

class SpinArrows;

// Style bit of the template control: shows a time of day.
inline constexpr std::uint32_t kDateTimeTimeFormat = 0x0008;
inline constexpr int kNotifyDateTimeChange = -759;

// The calendar fields a control shows; those its format leaves out stay as they are.
struct DateTimeFields {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateTimeFields&, const DateTimeFields&) = default;
};

class DateTimePicker : public wxPanel {
public:
    enum class Mode { Date, Time };

    DateTimePicker(wxWindow* parent, const wxRect& rect, Mode mode);

    // False for a layout with a token it does not know or with no field at all.
    bool SetFormat(const std::wstring& format);
    const std::wstring& GetFormat() const { return m_format; }
    Mode GetMode() const { return m_mode; }

    void SetFields(const DateTimeFields& fields);
    // The fields read from the text; nothing while it is no valid date or time.
    std::optional<DateTimeFields> GetFields() const;

    // The text as shown (tests type through it).
    wxTextCtrl* GetTextCtrl() const { return m_text; }
    // Steps the field under the caret by +1 or -1, as the arrows do.
    void StepField(int direction);

private:
    struct Token {
        enum Kind { Literal, Year, Month, Day, Hour, Minute, Second } kind;
        std::wstring text;  // the literal, or the token as written
        int width;          // digits of a field
    };

    static bool Parse(const std::wstring& format, std::vector<Token>& tokens);
    std::wstring Format(const DateTimeFields& fields) const;
    void Place();

    Mode m_mode;
    std::wstring m_format;
    std::vector<Token> m_tokens;
    DateTimeFields m_base;  // the fields the format leaves out
    wxTextCtrl* m_text = nullptr;
    SpinArrows* m_arrows = nullptr;
};

}  // namespace ui
