#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include <tinyxml2.h>

#include "lib/viewer/data/XMLDataExchange.h"
#include "lib/viewer/data/XmlText.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"

namespace {

// One variable of every type, bound under the type's name.
struct Settings {
    std::int8_t i8 = 0;
    std::int16_t i16 = 0;
    std::int32_t i32 = 0;
    std::int64_t i64 = 0;
    std::uint8_t u8 = 0;
    std::uint16_t u16 = 0;
    std::uint32_t u32 = 0;
    std::uint64_t u64 = 0;
    std::uint32_t color = 0;
    gfx::Font font;
    std::wstring text;

    void Bind(CXMLDataExchange& binder) {
        binder.Register(L"i8", CXMLDataExchange::kInt8, &i8);
        binder.Register(L"i16", CXMLDataExchange::kInt16, &i16);
        binder.Register(L"i32", CXMLDataExchange::kInt32, &i32);
        binder.Register(L"i64", CXMLDataExchange::kInt64, &i64);
        binder.Register(L"u8", CXMLDataExchange::kUInt8, &u8);
        binder.Register(L"u16", CXMLDataExchange::kUInt16, &u16);
        binder.Register(L"u32", CXMLDataExchange::kUInt32, &u32);
        binder.Register(L"u64", CXMLDataExchange::kUInt64, &u64);
        binder.Register(L"color", CXMLDataExchange::kColor, &color);
        binder.Register(L"font", CXMLDataExchange::kFont, &font);
        binder.Register(L"text", CXMLDataExchange::kString, &text);
    }
};

constexpr const wchar_t* kTemplate =
    LR"(<wavectrl i8="" i16="" i32="" i64="" u8="" u16="" u32="" u64="" color="" font="" text=""/>)";

// Saves through an element made from the template and loads the element back.
Settings RoundTrip(Settings written) {
    CXMLDataExchange writer;
    written.Bind(writer);
    tinyxml2::XMLDocument document;
    EXPECT_TRUE(writer.SaveToElement(kTemplate, document));
    // Through text, as the settings travel.
    tinyxml2::XMLDocument reread;
    EXPECT_TRUE(tracelume::ParseXmlText(reread, tracelume::XmlText(document)));
    Settings read;
    read.font = gfx::Font{L"", 0, 0};
    CXMLDataExchange reader;
    read.Bind(reader);
    reader.LoadFromElement(*reread.RootElement());
    return read;
}

void ExpectSame(const Settings& read, const Settings& written, const char* name) {
    EXPECT_EQ(read.i8, written.i8) << name;
    EXPECT_EQ(read.i16, written.i16) << name;
    EXPECT_EQ(read.i32, written.i32) << name;
    EXPECT_EQ(read.i64, written.i64) << name;
    EXPECT_EQ(read.u8, written.u8) << name;
    EXPECT_EQ(read.u16, written.u16) << name;
    EXPECT_EQ(read.u32, written.u32) << name;
    EXPECT_EQ(read.u64, written.u64) << name;
    EXPECT_EQ(read.color, written.color) << name;
    EXPECT_EQ(read.font.face, written.font.face) << name;
    EXPECT_EQ(read.font.height, written.font.height) << name;
    EXPECT_EQ(read.font.weight, written.font.weight) << name;
    EXPECT_EQ(read.text, written.text) << name;
}

template <typename T>
using Limits = std::numeric_limits<T>;

TEST(XMLDataExchangeTest, EveryTypeRoundTripsAtItsLimits) {
    Settings lowest;
    lowest.i8 = Limits<std::int8_t>::min();
    lowest.i16 = Limits<std::int16_t>::min();
    lowest.i32 = Limits<std::int32_t>::min();
    lowest.i64 = Limits<std::int64_t>::min();
    lowest.color = 0x000000;
    lowest.font = {L"Arial", 1, 400};
    lowest.text = L"x";
    Settings highest;
    highest.i8 = Limits<std::int8_t>::max();
    highest.i16 = Limits<std::int16_t>::max();
    highest.i32 = Limits<std::int32_t>::max();
    highest.i64 = Limits<std::int64_t>::max();
    highest.u8 = Limits<std::uint8_t>::max();
    highest.u16 = Limits<std::uint16_t>::max();
    highest.u32 = Limits<std::uint32_t>::max();
    highest.u64 = Limits<std::uint64_t>::max();
    highest.color = 0xFFFFFF;
    highest.font = {L"宋体", 16, 700};  // 12 pt, bold
    highest.text = L"<\"引号\" & 'marks'>";
    ExpectSame(RoundTrip(lowest), lowest, "lowest");
    ExpectSame(RoundTrip(highest), highest, "highest");
}

// Loads one attribute into fresh settings (every number 7, colour 0x070707).
Settings Loaded(const char* key, const char* text) {
    Settings settings;
    settings.i8 = settings.i16 = settings.i32 = 7;
    settings.i64 = 7;
    settings.u8 = settings.u16 = 7;
    settings.u32 = 7;
    settings.u64 = 7;
    settings.color = 0x070707;
    settings.font = gfx::Font{L"Courier", 7, 100, true};
    CXMLDataExchange binder;
    settings.Bind(binder);
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* element = document.NewElement("wavectrl");
    element->SetAttribute(key, text);
    document.InsertEndChild(element);
    binder.LoadFromElement(*element);
    return settings;
}

std::string FontOf(const Settings& s) {
    return platform::WideToUtf8(s.font.face) + "/" + std::to_string(static_cast<int>(s.font.height)) + "/" +
           std::to_string(s.font.weight) + (s.font.italic ? "/italic" : "");
}

TEST(XMLDataExchangeTest, ReadingTexts) {
    struct Case {
        const char* key;
        const char* text;
        std::string (*read)(const Settings&);
        std::string expected;
    };
    const auto i8 = [](const Settings& s) { return std::to_string(s.i8); };
    const auto i32 = [](const Settings& s) { return std::to_string(s.i32); };
    const auto i64 = [](const Settings& s) { return std::to_string(s.i64); };
    const auto u16 = [](const Settings& s) { return std::to_string(s.u16); };
    const auto u32 = [](const Settings& s) { return std::to_string(s.u32); };
    const auto u64 = [](const Settings& s) { return std::to_string(s.u64); };
    const auto color = [](const Settings& s) { return std::to_string(s.color); };
    const Case cases[] = {
        {"i8", "300", i8, "44"},  // the low 8 bits of the number
        {"i8", "-129", i8, "127"},
        {"i32", " 42 and more", i32, "42"},
        {"i32", "+5", i32, "5"},
        {"i32", "2147483648", i32, "7"},  // beyond the type: no number
        {"i32", "abc", i32, "7"},
        {"i32", "", i32, "7"},
        {"i64", "-9223372036854775809", i64, "7"},
        {"u16", "65537", u16, "1"},
        {"u32", "-1", u32, "4294967295"},
        {"u32", "4294967296", u32, "7"},
        {"u64", "18446744073709551616", u64, "7"},
        {"color", "1;2", color, std::to_string(1 + 2 * 256 + 255 * 65536)},
        {"color", "none", color, std::to_string(0x070707)},
        {"font", "Arial;12pt;bold", FontOf, "Arial/16/700/italic"},  // other fields stay
        {"font", "Tahoma;9pt; bold ", FontOf, "Tahoma/12/700/italic"},
        {"font", "Tahoma;9pt;italic", FontOf, "Tahoma/12/400/italic"},
        {"font", "Tahoma", FontOf, "Tahoma/7/400/italic"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.read(Loaded(c.key, c.text)), c.expected) << c.key << "=\"" << c.text << "\"";
    }
}

TEST(XMLDataExchangeTest, AKeyIsBoundOnce) {
    std::int32_t first = 1;
    std::int32_t second = 2;
    CXMLDataExchange binder;
    EXPECT_EQ(binder.Register(L"zoom", CXMLDataExchange::kInt32, &first), 1);
    EXPECT_EQ(binder.Register(L"zoom", CXMLDataExchange::kInt32, &second), 0);
    EXPECT_EQ(binder.Register(L"Zoom", CXMLDataExchange::kInt32, &second), 1);  // keys are exact
    std::wstring xml = L"<p><zoom/><Zoom/></p>";
    ASSERT_EQ(binder.SaveToText(xml), 1);
    EXPECT_EQ(xml, LR"(<p><zoom VALUE="1"/><Zoom VALUE="2"/></p>)");
}

TEST(XMLDataExchangeTest, SavesOnlyWhatTheTemplateAndTheValuesAllow) {
    std::uint32_t background = 0x030201;
    gfx::Font font{L"Arial", 16, 700};
    std::wstring empty;
    std::int32_t zoom = -3;
    CXMLDataExchange binder;
    binder.Register(L"background", CXMLDataExchange::kColor, &background);
    binder.Register(L"font", CXMLDataExchange::kFont, &font);
    binder.Register(L"comment", CXMLDataExchange::kString, &empty);
    binder.Register(L"zoom", CXMLDataExchange::kInt32, &zoom);
    binder.Register(L"odd", 12, &zoom);  // an unknown type has no text

    tinyxml2::XMLDocument document;
    ASSERT_TRUE(binder.SaveToElement(LR"(<wavectrl background="0;0;0" font="Arial;12pt" comment="old" odd="x"/>)",
                                     document));
    EXPECT_EQ(tracelume::XmlText(document),
              LR"(<wavectrl background="1;2;3" font="Arial;12pt;bold" comment="old" odd="x"/>)");
    EXPECT_FALSE(binder.SaveToElement(L"<wavectrl", document));

    std::wstring xml = LR"(<?xml version="1.0"?><properties><group><zoom VALUE="0"/><background/></group>)"
                       LR"(<zoom VALUE="9"/><comment VALUE="kept"/></properties>)";
    ASSERT_EQ(binder.SaveToText(xml), 1);
    EXPECT_EQ(xml, LR"(<?xml version="1.0"?><properties><group><zoom VALUE="-3"/><background VALUE="1;2;3"/></group>)"
                   LR"(<zoom VALUE="9"/><comment VALUE="kept"/></properties>)");
    std::wstring broken = L"<properties><zoom></properties>";
    EXPECT_EQ(binder.SaveToText(broken), 0);
    EXPECT_EQ(broken, L"<properties><zoom></properties>");
}

// An owner that refuses negative zoom levels.
class PositiveZoom final : public CXMLDataExchange {
public:
    int AcceptValue(const std::wstring& key, const void* value) override {
        return key != L"zoom" || *static_cast<const std::int32_t*>(value) >= 0 ? 1 : 0;
    }
};

TEST(XMLDataExchangeTest, AnOwnerCanRefuseValues) {
    std::int32_t zoom = 5;
    PositiveZoom binder;
    binder.Register(L"zoom", CXMLDataExchange::kInt32, &zoom);
    tinyxml2::XMLDocument document;
    ASSERT_TRUE(tracelume::ParseXmlText(document, LR"(<wavectrl zoom="-2"/>)"));
    binder.LoadFromElement(*document.RootElement());
    EXPECT_EQ(zoom, 5);
    ASSERT_TRUE(tracelume::ParseXmlText(document, LR"(<wavectrl zoom="3"/>)"));
    binder.LoadFromElement(*document.RootElement());
    EXPECT_EQ(zoom, 3);
}

}  // namespace
