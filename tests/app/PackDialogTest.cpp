// Dialogs the program builds from its language pack: the resource manager's
// template, handed to the window layer, gives the dialog the pack describes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/ui/Dialog.h"
#include "tests/support/TempDir.h"
#include "tests/ui/DialogFixtures.h"

namespace {

TEST(PackDialog, TextsComeFromTheLanguagePack) {
    testsupport::TempDir dir;
    const auto pack = dir.Write("Ondrava.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<resource LANGID="2052">
  <dialog id="700" style="0x80C800C0" position="0, 0, 120, 50" fontface="MS Sans Serif" fontsize="8" caption="选择">
    <control class="STATIC" style="0x50020000" position="7, 7, 100, 8" caption="请选择数据文件夹"/>
    <control class="BUTTON" id="1" style="0x50030001" position="63, 30, 50, 14" caption="确定"/>
  </dialog>
</resource>)");
    ASSERT_TRUE(CZVResourceManager::SetResourceFile(platform::FromPath(pack)));
    {
        ui::Dialog dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(700));
        ASSERT_TRUE(dialog.Create(nullptr));
        EXPECT_EQ(dialog.GetWindowText(), L"选择");
        EXPECT_EQ(dialog.GetDlgItemText(1), L"确定");
        EXPECT_EQ(dialog.GetDlgCtrlID(), 700u);
    }
    CZVResourceManager::SetResourceFile(L"");
}

// The dialog of every class as a language pack writes it.
std::string PackOf(const DialogTemplateInfo& info) {
    auto hex = [](std::uint32_t value) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", value);
        return std::string(text);
    };
    auto position = [](int x, int y, int cx, int cy) {
        return std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(cx) + ", " + std::to_string(cy);
    };
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resource LANGID=\"2052\">\n  <dialog id=\"" +
                      std::to_string(info.helpId) + "\" style=\"" + hex(info.style) + "\" position=\"" +
                      position(info.x, info.y, info.cx, info.cy) + "\" fontface=\"" +
                      platform::WideToUtf8(info.fontFace) + "\" fontsize=\"" + std::to_string(info.fontSize) +
                      "\" caption=\"" + platform::WideToUtf8(info.caption) + "\">\n";
    for (const auto& item : info.items) {
        xml += "    <control class=\"" + platform::WideToUtf8(item.className) + "\" id=\"" + std::to_string(item.id) +
               "\" style=\"" + hex(item.style) + "\" position=\"" + position(item.x, item.y, item.cx, item.cy) +
               "\" caption=\"" + platform::WideToUtf8(item.caption) + "\"/>\n";
    }
    return xml + "  </dialog>\n</resource>\n";
}

TEST(PackDialog, EveryClassFromThePackSitsAsItsTemplateSaysWithThePacksTexts) {
    const DialogTemplateInfo every = uitest::EveryClass();
    testsupport::TempDir dir;
    ASSERT_TRUE(CZVResourceManager::SetResourceFile(platform::FromPath(dir.Write("Ondrava.xml", PackOf(every)))));
    {
        ui::Dialog fromPack(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(every.helpId));
        ui::Dialog direct(every);
        ASSERT_TRUE(fromPack.Create(nullptr));
        ASSERT_TRUE(direct.Create(nullptr));
        EXPECT_EQ(fromPack.GetWindowText(), L"全部控件");
        EXPECT_EQ(fromPack.GetLayoutUnits().baseX, direct.GetLayoutUnits().baseX);
        EXPECT_EQ(fromPack.GetLayoutUnits().baseY, direct.GetLayoutUnits().baseY);
        EXPECT_EQ(fromPack.GetWx()->GetClientSize(), direct.GetWx()->GetClientSize());
        // The layout of the directly built dialog is checked by hand above (positions,
        // growth, no overlap, no clipping); the pack's dialog must be the same.
        for (const auto& item : every.items) {
            ASSERT_NE(fromPack.GetDlgItem(item.id), nullptr) << "control " << item.id;
            EXPECT_EQ(fromPack.GetItemKind(item.id), direct.GetItemKind(item.id)) << "control " << item.id;
            EXPECT_EQ(fromPack.GetDlgItem(item.id)->GetRect(), direct.GetDlgItem(item.id)->GetRect())
                << "control " << item.id;
            if (!item.caption.empty()) {
                EXPECT_EQ(fromPack.GetDlgItemText(item.id), item.caption) << "control " << item.id;
            }
        }
    }
    CZVResourceManager::SetResourceFile(L"");
}

}  // namespace
