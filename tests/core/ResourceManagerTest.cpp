#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/BuiltinResources.h"
#include "core/LanguagePack.h"
#include "core/ZVResourceManager.h"
#include "core/ZVResourceManagerXML.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"

namespace {

const char* const kPack = R"(<?xml version="1.0" encoding="utf-8"?>
<resource LANGID="1033">
  <string id="57344" value="Pack title"/>
  <string id="7000" value="first"/>
  <string id="7000" value="second"/>
  <string id="7001"/>
  <string id="7002" value="a &amp; b"/>
  <menu id="300">
    <menuitem caption="File">
      <menuitem id="101" caption="Open"/>
      <menuitem id="0" caption="ignored caption"/>
      <menuitem caption="Recent">
        <menuitem id="102" caption="One"/>
      </menuitem>
    </menuitem>
    <menuitem id="103" caption="Help"/>
  </menu>
  <menu id="200"/>
  <dialog id="500" style="0x80C80080" styleex="8" position="1, 2, 300, 200" fontface="Tahoma" fontsize="9" caption="Pack dialog">
    <control class="BUTTON" id="1" style="0x50010001" styleex="4" position="10,20,50,14" caption="OK"/>
    <control caption="label"/>
    <control class="STATIC" resource="200" position="0 0 21 20"/>
  </dialog>
  <dialog id="501"/>
</resource>
)";

std::wstring WidePath(const std::filesystem::path& path) { return platform::FromPath(path); }

class ResourceManagerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CZVResourceManager::SetResourceFile(L"")); }
    void TearDown() override { CZVResourceManager::SetResourceFile(L""); }

    std::wstring InstallPack(std::string_view xml) {
        const std::wstring file = WidePath(m_dir.Write("Ondrava.xml", xml));
        EXPECT_TRUE(CZVResourceManager::SetResourceFile(file));
        return file;
    }
    static CZVResourceManager* Manager() { return CZVResourceManager::GetResourceManager(); }

    testsupport::TempDir m_dir;
};

TEST_F(ResourceManagerTest, BaseManagerServesTheBuiltInChineseResources) {
    int notFound = -1;
    EXPECT_EQ(Manager()->LoadString(57344, &notFound), L"Ondrava");
    EXPECT_EQ(notFound, 0);
    EXPECT_EQ(Manager()->LoadString(6181), L"切换软件语言失败！");
    EXPECT_EQ(Manager()->LoadString(6182), L"配置文件被破坏，重装软件可能会解决该问题");
    EXPECT_EQ(Manager()->GetResourcesLangID(), 2052);

    EXPECT_EQ(Manager()->LoadString(4242424, &notFound), L"");
    EXPECT_EQ(notFound, 1);
    std::wstring text = L"unchanged";
    EXPECT_FALSE(Manager()->LoadString(text, 4242424));

    const DialogTemplateInfo* language = Manager()->LoadDialogTemplate(222);
    ASSERT_NE(language, nullptr);
    bool hasCombo = false;
    for (const auto& item : language->items) {
        hasCombo |= item.id == 6861 && item.className == L"COMBOBOX";
    }
    EXPECT_TRUE(hasCombo);
    EXPECT_NE(Manager()->LoadDialogTemplate(100), nullptr);
    EXPECT_EQ(Manager()->LoadDialogTemplate(0), nullptr);
    EXPECT_EQ(Manager()->LoadDialogTemplate(4242424), nullptr);
}

TEST_F(ResourceManagerTest, EveryEmbeddedFileIsAUsablePack) {
    ASSERT_FALSE(BuiltinResourceFiles().empty());
    for (const BuiltinResourceFile& file : BuiltinResourceFiles()) {
        CLanguagePack pack;
        EXPECT_TRUE(pack.LoadText(file.bytes)) << file.name;
    }
}

TEST_F(ResourceManagerTest, LanguageTableRows) {
    struct Case {
        std::uint16_t langId;
        std::uint16_t codePage;
        const char* englishName;
        std::uint8_t gdiCharset;
    };
    const Case cases[] = {
        {0x0419, 1251, "Russian", 204},      {0x0409, 0, "English (United States)", 0},
        {0x0804, 936, "Chinese (PRC)", 134}, {0x0404, 950, "Chinese (Taiwan)", 136},
        {0x0422, 1251, "Ukrainian ", 204},   {0x0C0A, 1252, "Spanish (Spain - Modern Sort)", 0},
    };
    for (const Case& c : cases) {
        const LanguageInfoRow* row = CZVResourceManager::FindLanguageInfo(c.langId);
        ASSERT_NE(row, nullptr) << c.langId;
        EXPECT_EQ(row->codePage, c.codePage) << c.langId;
        EXPECT_STREQ(row->englishName, c.englishName) << c.langId;
        EXPECT_EQ(row->gdiCharset, c.gdiCharset) << c.langId;
    }
    EXPECT_EQ(CZVResourceManager::FindLanguageInfo(9999), nullptr);
    EXPECT_EQ(CZVResourceManager::FindLanguageInfo(0), nullptr);
}

TEST_F(ResourceManagerTest, PackLanguageComesFromItsRoot) {
    struct Case {
        const char* root;
        std::uint16_t expected;
    };
    const Case cases[] = {
        {R"(<resource LANGID="9999"/>)", 1033},
        {R"(<resource LANGID="2052"/>)", 2052},
        {R"(<resource/>)", 1033},
        {R"(<resource LANGID="zh"/>)", 1033},
        // Beyond 16 bits: no language of the table, even where the low bits would name one.
        {R"(<resource LANGID="67588"/>)", 1033},
        {R"(<resource LANGID="-64500"/>)", 1033},
    };
    for (const Case& c : cases) {
        InstallPack(c.root);
        EXPECT_EQ(Manager()->GetResourcesLangID(), c.expected) << c.root;
    }
}

TEST_F(ResourceManagerTest, UnusableFileKeepsThePreviousManager) {
    CZVResourceManager* before = Manager();
    const std::string cases[] = {"", "<resource>", "<strings/>", "not xml at all"};
    for (const std::string& xml : cases) {
        const std::wstring file = WidePath(m_dir.Write("Broken.xml", xml));
        EXPECT_FALSE(CZVResourceManager::SetResourceFile(file)) << xml;
        EXPECT_EQ(Manager(), before) << xml;
    }
    EXPECT_FALSE(CZVResourceManager::SetResourceFile(WidePath(m_dir / "missing.xml")));
    EXPECT_EQ(Manager(), before);
    EXPECT_EQ(Manager()->LoadString(57344), L"Ondrava");
    EXPECT_FALSE(CZVResourceManager::SetResourceManager(nullptr));
}

TEST_F(ResourceManagerTest, SourceIsChosenByTheLastThreeCharacters) {
    // "a.XML" takes the XML road: a missing file is refused.
    EXPECT_FALSE(CZVResourceManager::SetResourceFile(WidePath(m_dir / "a.XML")));
    m_dir.Write("b.XmL", kPack);
    EXPECT_TRUE(CZVResourceManager::SetResourceFile(WidePath(m_dir / "b.XmL")));
    EXPECT_NE(dynamic_cast<CZVResourceManagerXML*>(Manager()), nullptr);
    // "abc" is too short for an extension: a resource module that cannot be loaded
    // leaves a base manager on the built-in resources.
    EXPECT_TRUE(CZVResourceManager::SetResourceFile(L"abc"));
    EXPECT_EQ(dynamic_cast<CZVResourceManagerXML*>(Manager()), nullptr);
    EXPECT_EQ(Manager()->LoadString(57344), L"Ondrava");
}

TEST_F(ResourceManagerTest, ReplacedResourceModuleIsNoLongerUsed) {
    // A library without resources: it loads, and the built-in resources still serve.
    const std::string library = std::string(ONDRAVA_BUILD_PROGRAM_DIR) + "/libondrava_base.so";
    ASSERT_TRUE(CZVResourceManager::SetResourceFile(platform::Utf8ToWide(library)));
    EXPECT_EQ(Manager()->LoadString(57344), L"Ondrava");
    // Installing a pack frees the manager that owned the module; the pack's fallback
    // must not reach the freed module.
    InstallPack(kPack);
    EXPECT_EQ(Manager()->LoadString(6181), L"切换软件语言失败！");
    EXPECT_NE(Manager()->LoadDialogTemplate(222), nullptr);
}

TEST_F(ResourceManagerTest, PackStringsWithFallback) {
    InstallPack(kPack);
    struct Case {
        unsigned int id;
        const wchar_t* expected;
        int notFound;
    };
    const Case cases[] = {
        {57344, L"Pack title", 0},               // the pack wins
        {6181, L"切换软件语言失败！", 0},        // missing in the pack: built in
        {7000, L"first", 0},                     // the first element with the id
        {7001, L"", 0},                          // no value: empty, but found
        {7002, L"a & b", 0},                     // entities decoded
        {4242424, L"", 1},                       // nowhere
    };
    for (const Case& c : cases) {
        int notFound = -1;
        EXPECT_EQ(Manager()->LoadString(c.id, &notFound), c.expected) << c.id;
        EXPECT_EQ(notFound, c.notFound) << c.id;
    }
}

TEST_F(ResourceManagerTest, MenuItemsInDocumentOrderWithFlags) {
    InstallPack(kPack);
    MenuTemplate menu;
    ASSERT_TRUE(Manager()->LoadMenu(menu, 300));
    struct Expected {
        std::uint16_t flags;
        std::uint16_t id;
        const wchar_t* caption;
    };
    const Expected expected[] = {
        {kMenuFlagPopup, 0, L"File"},
        {0, 101, L"Open"},
        {kMenuFlagSeparator, 0, L"ignored caption"},
        {kMenuFlagPopup | kMenuFlagEnd, 0, L"Recent"},
        {kMenuFlagEnd, 102, L"One"},
        {kMenuFlagEnd, 103, L"Help"},
    };
    ASSERT_EQ(menu.size(), std::size(expected));
    for (std::size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(menu[i].flags, expected[i].flags) << "item " << i;
        EXPECT_EQ(menu[i].id, expected[i].id) << "item " << i;
        EXPECT_EQ(menu[i].caption, expected[i].caption) << "item " << i;
    }

    // An empty menu element falls back to the built-in menu of the same id.
    ASSERT_TRUE(Manager()->LoadMenu(menu, 200));
    ASSERT_GE(menu.size(), 3u);
    EXPECT_EQ(menu[0].flags & kMenuFlagPopup, kMenuFlagPopup);
    EXPECT_EQ(menu[1].id, 22802);
    EXPECT_FALSE(Manager()->LoadMenu(menu, 4242));
}

TEST_F(ResourceManagerTest, DialogTemplateFromPack) {
    InstallPack(kPack);
    const DialogTemplateInfo* dialog = Manager()->LoadDialogTemplate(500);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->version, 1);
    EXPECT_EQ(dialog->signature, 0xFFFF);
    EXPECT_EQ(dialog->helpId, 500u);
    EXPECT_EQ(dialog->style, 0x80C80080u | kDialogStyleSetFont);
    EXPECT_EQ(dialog->exStyle, 8u);
    EXPECT_EQ(dialog->x, 1);
    EXPECT_EQ(dialog->y, 2);
    EXPECT_EQ(dialog->cx, 300);
    EXPECT_EQ(dialog->cy, 200);
    EXPECT_EQ(dialog->fontFace, L"Tahoma");
    EXPECT_EQ(dialog->fontSize, 9);
    EXPECT_EQ(dialog->caption, L"Pack dialog");
    ASSERT_EQ(dialog->itemCount, 3);
    ASSERT_EQ(dialog->items.size(), 3u);

    const auto& button = dialog->items[0];
    EXPECT_EQ(button.className, L"BUTTON");
    EXPECT_EQ(button.id, 1u);
    EXPECT_EQ(button.style, 0x50010001u);
    EXPECT_EQ(button.exStyle, 4u);
    EXPECT_EQ(button.x, 10);
    EXPECT_EQ(button.cy, 14);
    EXPECT_EQ(button.caption, L"OK");

    // A control without class is a static with identifier -1 and the default style.
    const auto& label = dialog->items[1];
    EXPECT_EQ(label.className, L"STATIC");
    EXPECT_EQ(label.id, 0xFFFFFFFFu);
    EXPECT_EQ(label.style, kDefaultControlStyle);
    EXPECT_EQ(label.resource, 0);

    EXPECT_EQ(dialog->items[2].resource, 200);
    EXPECT_EQ(dialog->items[2].cx, 21);

    // Defaults of an empty dialog element.
    const DialogTemplateInfo* bare = Manager()->LoadDialogTemplate(501);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->fontFace, L"MS Sans Serif");
    EXPECT_EQ(bare->fontSize, 8);
    EXPECT_EQ(bare->style, kDialogStyleSetFont);
    EXPECT_TRUE(bare->items.empty());
}

TEST_F(ResourceManagerTest, DialogTemplateComesFromTheCache) {
    const std::wstring file = InstallPack(kPack);
    const DialogTemplateInfo* first = Manager()->LoadDialogTemplate(500);
    // Changing the file afterwards has no effect: the pack is not read again.
    m_dir.Write("Ondrava.xml", "<resource/>");
    EXPECT_EQ(Manager()->LoadDialogTemplate(500), first);
    EXPECT_EQ(first->caption, L"Pack dialog");
    // Missing from the pack: the built-in template, also the same each time.
    const DialogTemplateInfo* builtin = Manager()->LoadDialogTemplate(222);
    ASSERT_NE(builtin, nullptr);
    EXPECT_EQ(Manager()->LoadDialogTemplate(222), builtin);
}

TEST_F(ResourceManagerTest, WorkersLookUpConcurrently) {
    InstallPack(kPack);
    constexpr int kThreads = 8;
    std::vector<const DialogTemplateInfo*> dialogs(kThreads * 2);
    std::vector<std::wstring> texts(kThreads);
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                for (int round = 0; round < 50; ++round) {
                    texts[t] = Manager()->LoadString(round % 2 ? 57344 : 6181);
                    dialogs[t * 2] = Manager()->LoadDialogTemplate(500);
                    dialogs[t * 2 + 1] = Manager()->LoadDialogTemplate(222);
                }
            });
        }
    }
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(texts[t], L"Pack title");
        EXPECT_EQ(dialogs[t * 2], Manager()->LoadDialogTemplate(500));
        EXPECT_EQ(dialogs[t * 2 + 1], Manager()->LoadDialogTemplate(222));
    }
}

TEST_F(ResourceManagerTest, ClosedPackFallsBackToBuiltIn) {
    InstallPack(kPack);
    Manager()->Close();
    EXPECT_FALSE(Manager()->IsValid());
    EXPECT_EQ(Manager()->LoadString(57344), L"Ondrava");
    EXPECT_EQ(Manager()->LoadDialogTemplate(500), nullptr);
}

TEST_F(ResourceManagerTest, ShippedLanguagePacksLoad) {
    struct Case {
        const char* folder;
        std::uint16_t langId;
        const wchar_t* failed;
    };
    const Case cases[] = {
        {"Chinese", 2052, L"切换软件语言失败！"},
        {"English", 1033, nullptr},
    };
    for (const Case& c : cases) {
        // The shipped pack is joined from per-area fragments at build time.
        const auto file = platform::ToPath(std::string(ONDRAVA_BUILD_PROGRAM_DIR) + "/Language/" + c.folder +
                                           "/Ondrava.xml");
        ASSERT_TRUE(CZVResourceManager::SetResourceFile(WidePath(file))) << c.folder;
        EXPECT_EQ(Manager()->GetResourcesLangID(), c.langId) << c.folder;
        for (unsigned int id : {200u, 6088u, 6089u, 6099u, 6181u, 6182u, 57344u, 57345u}) {
            int notFound = 0;
            EXPECT_FALSE(Manager()->LoadString(id, &notFound).empty()) << c.folder << " " << id;
        }
        if (c.failed != nullptr) {
            EXPECT_EQ(Manager()->LoadString(6181), c.failed);
        } else {
            EXPECT_NE(Manager()->LoadString(6181), L"切换软件语言失败！");
        }
        EXPECT_NE(Manager()->LoadDialogTemplate(222), nullptr) << c.folder;
        EXPECT_NE(Manager()->LoadDialogTemplate(100), nullptr) << c.folder;
    }
}

}  // namespace
