#pragma once
// One page of the transfer-mode guide: a picture of the terminal's screen and
// the step it shows.

#include <string>

#include "controls/BitmapViewer.h"
#include "platform/ui/PropertyPage.h"

class CTransModePage : public ui::PropertyPage {
public:
    static constexpr unsigned kPictureId = 6835;
    static constexpr unsigned kTextId = 6836;

    // The page's template (119, 120 or 121); its caption names the step in the
    // guide's list.
    explicit CTransModePage(unsigned templateId);

    void SetBitmapId(int bitmapId) { m_bitmapId = bitmapId; }
    void SetText(const std::wstring& text) { m_text = text; }
    int GetBitmapId() const { return m_bitmapId; }
    bool ShowsPicture() const { return m_picture.HasBitmap(); }

    bool OnInitDialog() override;

private:
    CBitmapViewer m_picture;
    int m_bitmapId = 4105;
    std::wstring m_text;
};
