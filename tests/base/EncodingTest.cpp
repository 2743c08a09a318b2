#include <gtest/gtest.h>

#include "platform/base/Encoding.h"

using platform::TextEncoding;

namespace {

const std::wstring kMixed = L"电压 L1 = 230.5 V";

TEST(Encoding, DetectsByBomThenUtf8ValidityThenGbk) {
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding expected;
    };
    const Case cases[] = {
        {"utf16 bom", std::string("\xFF\xFE" "a\0", 4), TextEncoding::Utf16LE},
        {"utf16 big-endian bom", std::string("\xFE\xFF\0a", 4), TextEncoding::Utf16BE},
        {"utf16 without bom", std::string("[\0A\0]\0", 6), TextEncoding::Utf16LENoBom},
        {"utf16 big-endian without bom", std::string("\0[\0A\0]", 6), TextEncoding::Utf16BENoBom},
        {"utf16 without bom, chinese first", *platform::Encode(L"电压=1", TextEncoding::Utf16LENoBom),
         TextEncoding::Utf16LENoBom},
        {"utf8 bom", "\xEF\xBB\xBF" "abc", TextEncoding::Utf8Bom},
        {"ascii", "DeviceType=K7700", TextEncoding::Utf8},
        {"utf8 chinese", platform::WideToUtf8(kMixed), TextEncoding::Utf8},
        {"gbk chinese", *platform::WideToGbk(kMixed), TextEncoding::Gbk},
        // GBK whose bytes happen to form two-byte UTF-8 sequences ("ģʽ").
        {"gbk that is valid utf8", *platform::WideToGbk(L"Mode=模式\r\n"), TextEncoding::Gbk},
        {"gbk that is valid utf8, latin-1 and more", *platform::WideToGbk(L"x=路模"), TextEncoding::Gbk},
        {"utf8 of latin-1 letters", platform::WideToUtf8(L"Path=/home/andré/données 25°C"), TextEncoding::Utf8},
        {"utf8 of two-byte and three-byte characters", platform::WideToUtf8(L"ģʽ 电压"), TextEncoding::Utf8},
        {"empty", "", TextEncoding::Utf8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::DetectEncoding(c.bytes), c.expected) << c.name;
    }
}

// Text valid as UTF-8 through two-byte sequences alone reads whole as GBK too: the
// reading that makes sense wins, and where neither does more, GBK is taken in doubt.
TEST(Encoding, TellsUtf8FromGbkBySense) {
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding expected;
        bool inDoubt;
    };
    const auto gbk = [](std::wstring_view text) { return *platform::WideToGbk(text); };
    const Case cases[] = {
        {"gbk whose utf-8 reading mixes scripts (ģʽ)", gbk(L"Mode=模式"), TextEncoding::Gbk, false},
        {"gbk whose utf-8 reading is latin (·ģ)", gbk(L"x=路模"), TextEncoding::Gbk, true},
        {"gbk whose utf-8 reading is cyrillic (лл)", gbk(L"x=谢谢"), TextEncoding::Gbk, true},
        {"gbk beyond gb2312 whose utf-8 reading mixes scripts", "x=\xD0\x9C\xCA\xBD", TextEncoding::Gbk, true},
        {"cyrillic: gbk beyond gb2312", platform::WideToUtf8(L"place=Москва"), TextEncoding::Utf8, false},
        {"one cyrillic letter", platform::WideToUtf8(L"[Б]"), TextEncoding::Utf8, false},
        {"greek", platform::WideToUtf8(L"Αθήνα"), TextEncoding::Utf8, false},
        {"polish", platform::WideToUtf8(L"Łóź"), TextEncoding::Utf8, false},
        {"cyrillic from one row of gb2312", platform::WideToUtf8(L"вода"), TextEncoding::Utf8, false},
        {"arabic: gbk of the second level", platform::WideToUtf8(L"مرحبا"), TextEncoding::Utf8, false},
        {"latin-1 alone", platform::WideToUtf8(L"25°C µs"), TextEncoding::Utf8, false},
        {"marked", "\xEF\xBB\xBF" + gbk(L"x=路模"), TextEncoding::Utf8Bom, false},
        {"not valid utf-8", gbk(L"城南"), TextEncoding::Gbk, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::DetectEncoding(c.bytes), c.expected) << c.name;
        EXPECT_EQ(platform::IsEncodingInDoubt(c.bytes), c.inDoubt) << c.name;
    }
}

TEST(Encoding, EveryEncodingRoundTripsChineseText) {
    for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Gbk,
                                  TextEncoding::Utf16BE, TextEncoding::Utf16LENoBom, TextEncoding::Utf16BENoBom}) {
        const auto bytes = platform::Encode(kMixed, encoding);
        ASSERT_TRUE(bytes.has_value()) << static_cast<int>(encoding);
        const platform::DecodedText decoded = platform::DecodeDetected(*bytes);
        EXPECT_EQ(decoded.text, kMixed) << static_cast<int>(encoding);
        EXPECT_EQ(decoded.encoding, encoding);
    }
}

TEST(Encoding, GbkRefusesWhatItCannotHoldInsteadOfSubstituting) {
    const std::wstring text = L"K7700 \U0001F600";
    EXPECT_FALSE(platform::WideToGbk(text).has_value());
    EXPECT_FALSE(platform::Encode(text, TextEncoding::Gbk).has_value());
    EXPECT_EQ(platform::WideToGbkLossy(text), "K7700 ?");
}

TEST(Encoding, SurrogatePairsAndLongTextsSurviveUtf16) {
    std::wstring text = L"x\U0001D11Ey";
    const std::u16string units = platform::WideToUtf16(text);
    ASSERT_EQ(units.size(), 4u);
    EXPECT_EQ(units[1], 0xD834);
    EXPECT_EQ(platform::Utf16ToWide(units), text);

    const std::wstring longText(20000, L'电');
    EXPECT_EQ(platform::GbkToWide(*platform::WideToGbk(longText)), longText);
    EXPECT_EQ(platform::Utf8ToWide(platform::WideToUtf8(longText)), longText);
}

TEST(Encoding, InvalidBytesBecomeReplacementCharactersWithoutLosingTheRest) {
    EXPECT_EQ(platform::Utf8ToWide("a\xC3" "b"), L"a\xFFFD" L"b");
    EXPECT_EQ(platform::Utf8ToWide("\xED\xA0\x80"), L"\xFFFD\xFFFD\xFFFD");  // an encoded surrogate
    EXPECT_EQ(platform::GbkToWide("ab\x81"), L"ab\xFFFD");                   // a cut-off double byte
    EXPECT_FALSE(platform::IsValidUtf8("\xC0\x80"));                          // overlong
}

TEST(Encoding, PathsCarryNonAsciiNames) {
    const std::filesystem::path path = platform::ToPath(std::wstring(L"数据/统计.cfg"));
    EXPECT_EQ(platform::PathToUtf8(path), platform::WideToUtf8(L"数据/统计.cfg"));
    EXPECT_EQ(platform::FromPath(path.filename()), L"统计.cfg");
}

}  // namespace
