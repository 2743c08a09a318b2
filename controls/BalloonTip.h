#pragma once
// The balloon a control shows its tip in: a rounded box with a point towards the
// pointer, its text in blue. Shown beside the pointer; any new text replaces the
// shown one, and an empty text hides it.

#include <memory>
#include <string>

class wxWindow;
class wxWindowDestroyEvent;

namespace controls {

class BalloonTip {
public:
    explicit BalloonTip(wxWindow* owner);
    ~BalloonTip();
    BalloonTip(const BalloonTip&) = delete;
    BalloonTip& operator=(const BalloonTip&) = delete;

    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return m_text; }
    void Hide();
    bool IsShown() const;
    // The owner window is going: it takes the balloon with it.
    void OwnerDestroyed();

private:
    class Popup;
    void OnPopupGone(wxWindowDestroyEvent& event);

    wxWindow* m_owner;
    std::wstring m_text;
    Popup* m_popup = nullptr;  // a top-level window of wx, destroyed with this object
};

}  // namespace controls
