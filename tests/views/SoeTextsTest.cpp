// The alarm-event list's cell texts and the scene view's table, as the user reads
// them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "terminal/SOEBlock.h"
#include "views/data/SOESceneDataManager.h"
#include "views/data/SoeEventText.h"
#include "views/data/SoeListPictures.h"
#include "views/data/SoeSceneTable.h"

namespace {

std::int32_t Bits(float value)
{
    std::int32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

SOERow Event(std::int32_t type, std::int32_t start, std::int32_t phase, std::int32_t order, float value)
{
    SOERow row;
    row.record.w = {type, start, phase, order, Bits(value)};
    row.blockTime = SystemTime{2013, 5, 1, 6, 7, 8, 9, 45};
    row.rowKind = 2;
    return row;
}

TEST(SoeEventText, NamesValuesAndTimes)
{
    const float none = -5368709.0f;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        SOERow row;
        std::wstring name;
        std::wstring value;
    };
    SOERow head;
    head.blockTime = SystemTime{2013, 5, 1, 6, 7, 8, 9, 45};
    head.rowKind = 1;
    const Case cases[] = {
        {"block head", head, L"越限告警", L""},
        {"phase, type and start", Event(4, 1, 1, 0, 6.5f), L"L2电流上越限开始", L"6.500 A"},
        {"no phase, end", Event(6, 0, 2, 0, 50.25f), L"频率上越限结束", L"50.250 HZ"},
        {"unknown phase", Event(13, 1, 9, 0, 240.0f), L"Unknown电压上越限开始", L"240.000 V"},
        {"harmonic order", Event(17, 1, 3, 4, 3.0f), L"N第05次谐波电压含有率越限开始", L"3.000 %"},
        {"wiring", Event(19, 1, 3, 1, 0.0f), L"接线方式更改，改为:三相四线制-星形接法", L"0.000 "},
        {"wiring class out of range", Event(19, 1, 7, 0, 0.0f), L"接线方式更改，改为:", L"0.000 "},
        {"wiring variant out of range", Event(19, 1, 2, -3, 0.0f), L"接线方式更改，改为:", L"0.000 "},
        {"wiring without a name", Event(19, 1, 0, 2, 0.0f), L"接线方式更改，改为:", L"0.000 "},
        {"type 8 has no name", Event(8, 1, 0, 0, 49.0f), L"", L"49.000 HZ"},
        {"types 1-3 unknown", Event(2, 1, 0, 0, 12.0f), L"未知告警类型", L"12.000 "},
        {"past the table", Event(22, 1, 0, 0, 1.0f), L"未知告警类型", L"1.000 "},
        {"no value", Event(14, 0, 0, 0, none), L"L1电压下越限结束", L"--"},
        {"NaN is formatted", Event(9, 1, 0, 0, nan), L"L1电压总畸变越限开始", L"nan %"},
        {"flicker has no unit", Event(15, 1, 1, 0, 1.25f), L"L2短闪变越限开始", L"1.250 "},
        {"long interruption", Event(5, 0, 2, 0, 1.5f), L"L3电压中断(长期中断)结束", L"1.500 V"},
        {"low frequency", Event(7, 1, 1, 0, 49.5f), L"频率下越限开始", L"49.500 HZ"},
        {"current THD", Event(10, 1, 3, 0, 8.0f), L"N电流总畸变越限开始", L"8.000 %"},
        {"voltage negative sequence", Event(11, 1, 0, 0, 2.5f), L"电压负序不平衡度越限开始", L"2.500 %"},
        {"current negative sequence", Event(12, 0, 0, 0, 2.5f), L"电流负序不平衡度越限结束", L"2.500 %"},
        {"long-term flicker", Event(16, 0, 0, 0, 1.0f), L"L1长闪变越限结束", L"1.000 "},
        {"harmonic current order", Event(18, 0, 1, 12, 4.0f), L"L2第13次谐波电流含有率越限结束", L"4.000 %"},
        {"voltage zero sequence", Event(20, 1, 0, 0, 1.0f), L"电压零序不平衡度越限开始", L"1.000 %"},
        {"current zero sequence", Event(21, 1, 0, 0, 1.0f), L"电流零序不平衡度越限开始", L"1.000 %"},
        {"type 1", Event(1, 1, 0, 0, 1.0f), L"未知告警类型", L"1.000 "},
        {"type 3", Event(3, 1, 0, 0, 1.0f), L"未知告警类型", L"1.000 "},
        {"negative type", Event(-1, 1, 0, 0, 1.0f), L"未知告警类型", L"1.000 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(soetext::Name(c.row), c.name) << c.what;
        EXPECT_EQ(soetext::Value(c.row), c.value) << c.what;
        EXPECT_EQ(soetext::Time(c.row), L"2013-05-06 07:08:09.045") << c.what;
    }
    EXPECT_EQ(soetext::Image(head), 1);
}

TEST(SoeEventText, PicturesOfEveryRowKindDiffer)
{
    std::string pictures[kSoePictureCount];
    for (int kind = 0; kind < kSoePictureCount; ++kind) {
        const gfx::Bitmap picture = DrawSoeListPicture(kind);
        ASSERT_EQ(picture.Width(), kSoePictureWidth);
        ASSERT_EQ(picture.Height(), kSoePictureHeight);
        pictures[kind] = picture.ToPng();
        for (int other = 0; other < kind; ++other) {
            EXPECT_NE(pictures[kind], pictures[other]) << kind << " and " << other;
        }
    }
}

CSoeScene Scene()
{
    CSoeScene scene{};
    for (std::size_t i = 0; i < scene.size(); ++i) {
        scene[i] = static_cast<float>(i) + 0.5f;
    }
    return scene;
}

TEST(SoeSceneTable, RowsAndValueTexts)
{
    const auto rows = BuildSoeSceneRows();
    ASSERT_EQ(rows.size(), kSoeSceneRows);
    CSoeScene scene = Scene();
    scene[0] = -0.0004f;   // voltage L1 RMS: shows as zero
    scene[4] = -0.0004f;   // current L1 RMS: the same, whatever the unit's letters
    scene[8] = -1.0f;      // a real negative value keeps its sign
    scene[12] = -0.0f;
    scene[1] = -5368709.0f;  // no value
    scene[2] = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        std::size_t row;
        int cell;
        std::uint32_t mask;
        std::wstring label;
        std::wstring value;
    };
    const Case cases[] = {
        {0, 0, 15, L"L1 有功功率", L"65.500 kW"},
        {0, 1, 15, L"L1 电压有效值", L"0.000 V"},
        {0, 2, 15, L"L1 电流有效值", L"0.000 A"},
        {1, 1, 15, L"L2 电压有效值", L"-----"},
        {2, 1, 15, L"L3 电压有效值", L"nan V"},
        {3, 0, 15, L"总 有功功率", L"68.500 kW"},
        {3, 1, 15, L"N 电压有效值", L"3.500 V"},
        {3, 1, 7, L"N 电压有效值", L"-----"},
        {3, 0, 7, L"总 有功功率", L"68.500 kW"},
        {4, 0, 15, L"L1 无功功率", L"69.500 kvar"},
        {4, 1, 15, L"L1 电压平均值", L"-1.000 V"},
        {4, 2, 15, L"L1 电流平均值", L"0.000 A"},
        {8, 0, 15, L"L1 视在功率", L"73.500 kVA"},
        {12, 0, 15, L"L1 位移功率因数", L"77.500"},
        {15, 0, 15, L"", L""},
        {19, 0, 15, L"总 功率因数", L"84.500"},
        {20, 1, 15, L"L1 电压THD", L"89.500 %"},
        {28, 2, 15, L"L1 电流相位角", L"60.500 °"},
        {32, 1, 15, L"L1 基波电压", L"40.500 V"},
        {36, 1, 0, L"零序电压", L"100.500 V"},
        {39, 2, 15, L"电流负序不平衡度", L"108.500 %"},
        {40, 1, 15, L"电压零序不平衡度", L"107.500 %"},
        {43, 1, 15, L"L3 电压波动", L"112.500 %"},
        {43, 2, 3, L"L3 电流K系数", L"-----"},
        {44, 1, 15, L"", L""},
        {44, 2, 0, L"N 电流K系数", L"88.500"},
        {23, 0, 15, L"", L""},
    };
    for (const Case& c : cases) {
        const CSoeSceneCell& cell = rows[c.row].cells[static_cast<std::size_t>(c.cell)];
        EXPECT_EQ(cell.label, c.label) << "row " << c.row << " cell " << c.cell;
        EXPECT_EQ(SoeSceneValueText(cell, scene, c.mask), c.value) << "row " << c.row << " cell " << c.cell;
    }
    // Words the table never shows.
    for (const auto& row : rows) {
        for (const auto& cell : row.cells) {
            for (int hidden : {80, 97, 98, 99, 113, 114, 115}) {
                EXPECT_NE(cell.word, hidden) << "a hidden word is shown";
            }
        }
    }
}

TEST(SoeSceneTable, FrequencyCaption)
{
    CSoeScene scene = Scene();
    scene[64] = 50.012f;
    EXPECT_EQ(SoeFrequencyCaption(&scene), L"频率：50.012 HZ");
    scene[64] = -5368709.0f;
    EXPECT_EQ(SoeFrequencyCaption(&scene), L"频率：--");
    EXPECT_EQ(SoeFrequencyCaption(nullptr), L"频率：--");
}

TEST(SoeSceneTable, SceneManagerReadsLittleEndianWords)
{
    std::uint8_t bytes[kSOESceneBytes] = {};
    const float value = 230.25f;
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i) {
        bytes[64 * 4 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    CSOESceneDataManager manager;
    manager.SetScene(bytes);
    CSoeScene scene{};
    EXPECT_EQ(manager.GetScene(7, &scene), 1);
    EXPECT_EQ(scene[64], value);
    EXPECT_EQ(scene[63], 0.0f);
    EXPECT_EQ(manager.GetCount(), 1u);
}

}  // namespace
