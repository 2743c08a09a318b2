// The Chinese texts the program starts with (its title, the about box, the language
// dialog) are drawn with real glyphs: pango finds one for every character, and
// drawing the text marks the picture.
#include "AppTestSupport.h"
#include "app/AboutDlg.h"
#include "app/LanguageDlg.h"
#include "core/ZVResourceManager.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"

namespace apptest {
namespace {

using TextRenderingTest = AppTest;

struct Text {
    std::wstring what;
    std::wstring text;
    std::wstring face;
};

// Dark pixels inside the text's box on a white picture.
int InkedPixels(const std::wstring& text, const gfx::Font& font) {
    gfx::Bitmap picture(900, 40);
    gfx::Context context(picture);
    context.FillRect(gfx::Rect::FromSize(0, 0, 900, 40), gfx::Brush(gfx::Color{255, 255, 255}));
    context.SetFont(font);
    context.SetTextColor(gfx::Color{0, 0, 0});
    gfx::Rect box = gfx::Rect::FromSize(0, 0, 900, 40);
    context.DrawText(text, box, gfx::TextFormat::SingleLine | gfx::TextFormat::VCenter);
    int inked = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            inked += picture.PixelAt(x, y).r < 128 ? 1 : 0;
        }
    }
    return inked;
}

TEST_F(TextRenderingTest, EveryChineseCharacterHasAGlyph) {
    CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
    ASSERT_EQ(resources->GetResourcesLangID(), 0x0804);

    // The title in the frame's face, and every text of the two dialogs in theirs.
    std::vector<Text> texts = {{L"title", resources->LoadString(200), L"Tahoma"},
                               {L"exit question", resources->LoadString(6089), L"Tahoma"}};
    for (const unsigned id : {CAboutDlg::kTemplateId, CLanguageDlg::kTemplateId}) {
        const DialogTemplateInfo* dialog = resources->LoadDialogTemplate(id);
        ASSERT_NE(dialog, nullptr) << id;
        texts.push_back({L"dialog " + std::to_wstring(id) + L" caption", dialog->caption, dialog->fontFace});
        for (const auto& item : dialog->items) {
            if (!item.caption.empty()) {
                texts.push_back({L"dialog " + std::to_wstring(id) + L" control", item.caption, dialog->fontFace});
            }
        }
    }

    int chinese = 0;
    for (const Text& row : texts) {
        const gfx::Font font = gfx::Font::FromPoints(row.face, 12);
        EXPECT_EQ(gfx::MissingGlyphCount(row.text, font), 0) << row.what << ": " << row.text;
        EXPECT_GT(InkedPixels(row.text, font), 0) << row.what << ": " << row.text;
        for (const wchar_t c : row.text) {
            chinese += c >= 0x4E00 && c <= 0x9FFF ? 1 : 0;
        }
    }
    EXPECT_GT(chinese, 20);  // the texts really are Chinese
}

}  // namespace
}  // namespace apptest
