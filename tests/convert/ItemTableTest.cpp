#include <gtest/gtest.h>

#include "ConvertTestSupport.h"
#include "lib/convert/ConvertDescription.h"
#include "lib/convert/ItemNameTable.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/ProgramFolderFixture.h"

namespace {

using convertix::NameOfItem;

TEST(ConvertItemTable, NamesItemsAndFamilyMembers)
{
    struct Case {
        int id;
        const wchar_t* name;     // null: no statistic item
        const wchar_t* section;
    };
    const Case cases[] = {
        {1, L"ESIN_VRMS", L"ESIN_VRMS"},
        {7, L"ESIN_FREQ", L"ESIN_FREQ"},
        {25, L"ESIN_V_HARM_1", L"ESIN_V_HARM_1"},
        {26, L"ESIN_V_HARM_2", L"ESIN_V_HARM_1"},
        {74, L"ESIN_V_HARM_50", L"ESIN_V_HARM_1"},
        {159, L"ESIN_V_HIHARM_35", L"ESIN_V_HIHARM_1"},
        {160, L"ESIN_V_SUBHARM_1", L"ESIN_V_SUBHARM_1"},
        {210, L"ESIN_A_THD", L"ESIN_A_THD"},
        {211, L"ESIN_A_DC", L"ESIN_A_DC"},
        {396, L"ESIN_A_SUBHARM_50", L"ESIN_A_SUBHARM_1"},
        {448, L"ESIN_W_HARM_50", L"ESIN_W_HARM_1"},
        {461, L"ESIN_UNBAL", L"ESIN_UNBAL"},
        {0, nullptr, nullptr},
        {462, nullptr, nullptr},
        {1000, nullptr, nullptr},
        {-25, nullptr, nullptr},
    };
    EXPECT_EQ(convertix::ItemNames().size(), 50u);
    for (const Case& c : cases) {
        const auto name = NameOfItem(c.id);
        if (c.name == nullptr) {
            EXPECT_FALSE(name) << "id " << c.id;
            continue;
        }
        ASSERT_TRUE(name) << "id " << c.id;
        EXPECT_EQ(name->name, c.name) << "id " << c.id;
        EXPECT_EQ(name->section, c.section) << "id " << c.id;
    }
    for (int id = 1; id <= 461; ++id) {
        EXPECT_TRUE(NameOfItem(id)) << "every statistic item has a name: " << id;
    }
}

TEST(ConvertItemTable, ParsesItemTexts)
{
    struct Case {
        const wchar_t* text;
        std::vector<int> ids;
    };
    std::vector<int> all;
    for (int id = 1; id <= 461; ++id) {
        all.push_back(id);
    }
    const Case cases[] = {
        {L" 1, 25 ,26,\t7", {1, 25, 26, 7}},
        {L"1,2,", {1, 2}},
        {L"1,,2", {1, 0, 2}},
        {L"x", {0}},
        {L"", {}},
        {L"1000", all},
        {L"5, 1000, 3", all},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convertix::ParseItemIds(c.text), c.ids) << "text \"" << platform::WideToUtf8(c.text) << "\"";
    }
}

// What the reading of statistic.cfg and itemInfo.ini gives, key by key.
TEST(ConvertDescription, ReadsGeometryItemsAndRefusesWhatDoesNotDescribeTheBlocks)
{
    gen::StatisticFolderOptions options;
    options.items = {1, 25, 26, 7, 461};
    options.records = 4;
    converttest::Terminal terminal(options);
    const std::wstring blockSize = std::to_wstring(gen::BlockSizeOf(options.items));
    struct Case {
        const char* row;
        std::function<void(gen::IniDocument&)> edit;
        int result;
    };
    const Case cases[] = {
        {"as generated", [](gen::IniDocument&) {}, 0},
        {"no BlockCountPerFile", [](gen::IniDocument& d) { d.Remove(L"cfg", L"BlockCountPerFile"); }, 0},
        {"blanks in Item", [](gen::IniDocument& d) { d.Set(L"cfg", L"Item", L" 1, 25 ,26 , 7,461,"); }, 0},
        {"no BlockTypeCount", [](gen::IniDocument& d) { d.Remove(L"cfg", L"BlockTypeCount"); }, 5},
        {"records of four blocks", [](gen::IniDocument& d) { d.Set(L"cfg", L"BlockTypeCount", L"4"); }, 0},
        {"records of two blocks", [](gen::IniDocument& d) { d.Set(L"cfg", L"BlockTypeCount", L"2"); }, 2},
        {"records of no block", [](gen::IniDocument& d) { d.Set(L"cfg", L"BlockTypeCount", L"0"); }, 2},
        {"no BlockSize", [](gen::IniDocument& d) { d.Remove(L"cfg", L"BlockSize"); }, 2},
        {"negative BlockSize", [](gen::IniDocument& d) { d.Set(L"cfg", L"BlockSize", L"-4"); }, 2},
        {"no BlockCount", [](gen::IniDocument& d) { d.Remove(L"cfg", L"BlockCount"); }, 2},
        {"no Item", [](gen::IniDocument& d) { d.Remove(L"cfg", L"Item"); }, 2},
        {"Item ***", [](gen::IniDocument& d) { d.Set(L"cfg", L"Item", L"***"); }, 2},
        {"Item of commas", [](gen::IniDocument& d) { d.Set(L"cfg", L"Item", L","); }, 2},
        {"unknown id", [](gen::IniDocument& d) { d.Set(L"cfg", L"Item", L"1,25,26,7,461,999"); }, 2},
        {"empty piece (id 0)", [](gen::IniDocument& d) { d.Set(L"cfg", L"Item", L"1,25,,26,7,461"); }, 2},
        {"repeated id", [](gen::IniDocument& d) { d.Set(L"cfg", L"Item", L"1,25,26,7,461,1"); }, 2},
        {"BlockSize off by one value", [&](gen::IniDocument& d) { d.Set(L"cfg", L"BlockSize", blockSize + L"4"); }, 2},
    };
    for (const Case& c : cases) {
        terminal.EditCfg(c.edit);
        convertix::ConvertDescription description;
        ASSERT_EQ(convertix::ReadConvertDescription(terminal.Statistic(), description), c.result) << c.row;
        if (c.result != 0) {
            continue;
        }
        EXPECT_EQ(description.blockCount, 4) << c.row;
        EXPECT_EQ(description.total, 4LL * static_cast<long long>(gen::BlockSizeOf(options.items)) * 3) << c.row;
        ASSERT_EQ(description.items.size(), 5u) << c.row;
        const std::vector<std::wstring> names = {L"ESIN_VRMS", L"ESIN_V_HARM_1", L"ESIN_V_HARM_2", L"ESIN_FREQ",
                                                 L"ESIN_UNBAL"};
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(description.items[i].name, names[i]) << c.row;
        }
        // Id 26 is described by the section of its family's first member.
        EXPECT_EQ(description.items[2].channel, 4) << c.row;
        EXPECT_EQ(description.items[2].staticsType, 3) << c.row;
        EXPECT_EQ(description.items[3].channel, 1) << c.row;
        EXPECT_EQ(description.items[3].staticsType, 0) << c.row;
    }
}

TEST(ConvertDescription, AnItemWithoutDescriptionIsRefused)
{
    testsupport::PrepareProgramFolder();
    testsupport::TempDir program;
    program.Write("itemInfo.ini", "[ESIN_VRMS]\nChannel=4\nDataType=0\nSequence=1\n");
    const char* old = std::getenv("ONDRAVA_PROGRAM_DIR");
    const std::string saved = old != nullptr ? old : "";
    setenv("ONDRAVA_PROGRAM_DIR", platform::PathToUtf8(program.Path()).c_str(), 1);
    convertix::ItemRecord record;
    EXPECT_EQ(convertix::ReadItemDescription(L"ESIN_VRMS", record), 0);
    EXPECT_EQ(record.channel, 4) << "the values before the missing key are kept";
    EXPECT_EQ(record.staticsType, -1);
    EXPECT_EQ(convertix::ReadItemDescription(L"ESIN_FREQ", record), 0);
    setenv("ONDRAVA_PROGRAM_DIR", saved.c_str(), 1);
}

// An item that itemInfo.ini does not describe (here the frequency) is listed without
// values: the folder converts when the described items fill the block, and is
// refused when the block holds values that no description accounts for.
TEST(ConvertDescription, AnUndescribedItemIsListedWithoutValues)
{
    gen::StatisticFolderOptions options;
    options.items = {1, 7, 25};
    options.records = 4;
    converttest::Terminal terminal(options);

    // The shipped itemInfo.ini without its frequency section.
    std::string info = testsupport::ReadAll(platform::ProgramFolder() / "itemInfo.ini");
    const std::size_t section = info.find("[ESIN_FREQ]");
    ASSERT_NE(section, std::string::npos);
    const std::size_t next = info.find('[', section + 1);
    info.erase(section, next == std::string::npos ? std::string::npos : next - section);
    testsupport::TempDir program;
    program.Write("itemInfo.ini", info);
    const char* old = std::getenv("ONDRAVA_PROGRAM_DIR");
    const std::string saved = old != nullptr ? old : "";
    setenv("ONDRAVA_PROGRAM_DIR", platform::PathToUtf8(program.Path()).c_str(), 1);

    struct Case {
        const char* row;
        std::uint32_t blockSize;
        int result;
    };
    const Case cases[] = {
        {"the described items fill the block", gen::BlockSizeOf({1, 25}), 0},
        {"the block also holds the frequency", gen::BlockSizeOf(options.items), 2},
    };
    for (const Case& c : cases) {
        terminal.EditCfg([&](gen::IniDocument& d) { d.Set(L"cfg", L"BlockSize", std::to_wstring(c.blockSize)); });
        convertix::ConvertDescription description;
        EXPECT_EQ(convertix::ReadConvertDescription(terminal.Statistic(), description), c.result) << c.row;
        if (c.result != 0) {
            continue;
        }
        ASSERT_EQ(description.items.size(), 3u) << c.row;
        EXPECT_EQ(description.items[1].id, 7) << c.row;
        EXPECT_EQ(description.items[1].name, L"ESIN_FREQ") << c.row;
        EXPECT_LT(description.items[1].staticsType, 0) << c.row << ": no values";
        EXPECT_EQ(convertix::ValuesPerBlock(description.items) * 4, c.blockSize) << c.row;
    }
    setenv("ONDRAVA_PROGRAM_DIR", saved.c_str(), 1);
}

}  // namespace
