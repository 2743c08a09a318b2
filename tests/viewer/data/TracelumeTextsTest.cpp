#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include <tinyxml2.h>

#include "lib/viewer/data/TracelumeTexts.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"

namespace {

CTinyResourceManager::StringTable ReadPack(const std::string& language) {
    const std::filesystem::path file =
        std::filesystem::path(ONDRAVA_SOURCE_DIR) / "resources/Language" / language / "TracelumeRecord.xml";
    const auto bytes = platform::ReadFileBytes(file);
    CTinyResourceManager::StringTable table;
    tinyxml2::XMLDocument document;
    if (!bytes || document.Parse(bytes->data(), bytes->size()) != tinyxml2::XML_SUCCESS) {
        ADD_FAILURE() << "cannot read " << file;
        return table;
    }
    for (const tinyxml2::XMLElement* entry = document.RootElement()->FirstChildElement("string"); entry != nullptr;
         entry = entry->NextSiblingElement("string")) {
        table[entry->UnsignedAttribute("id")] = platform::Utf8ToWide(entry->Attribute("value"));
    }
    return table;
}

TEST(TracelumeTextsTest, PacksHoldEveryBuiltInText) {
    const CTinyResourceManager::StringTable& builtIn = tracelume::BuiltinTexts();
    // The Chinese pack says what the library says by itself.
    EXPECT_EQ(ReadPack("Chinese"), builtIn);
    const CTinyResourceManager::StringTable english = ReadPack("English");
    ASSERT_EQ(english.size(), builtIn.size());
    for (const auto& [id, text] : builtIn) {
        const auto found = english.find(id);
        ASSERT_NE(found, english.end()) << id;
        EXPECT_FALSE(found->second.empty()) << id;
        // Tips and menu texts keep their two parts.
        EXPECT_EQ(text.find(L'\n') == std::wstring::npos, found->second.find(L'\n') == std::wstring::npos) << id;
    }
}

TEST(TracelumeTextsTest, TheChosenLanguagesFileServes) {
    // The shipped list chooses Chinese; the English file read into the library's table.
    const std::filesystem::path folder = platform::ProgramFolder();
    CTinyResourceManager& texts = tracelume::Texts();
    EXPECT_EQ(texts.GetString(tracelume::kTextComment), L"备注");
    texts.LoadStrings(folder / "Language" / "English" / "TracelumeRecord.xml");
    EXPECT_EQ(texts.GetString(tracelume::kTextComment), L"Comment");
    EXPECT_EQ(CTinyResourceManager::SplitTip(texts.GetString(32796), true), L"Zoom in horizontally");
    tracelume::LoadLanguageFile();
    EXPECT_EQ(texts.GetString(32796), L"横向放大\n放大(&I)");
    EXPECT_EQ(texts.GetDirName(), L"Chinese");
}

}  // namespace
