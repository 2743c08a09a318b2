#include <gtest/gtest.h>

#include <string>

#include "core/ProgramPaths.h"
#include "core/TextConvert.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"

namespace {

const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";  // "中文" in CP936

TEST(TextConvert, AnsiIsGbkAndUnknownCharactersBecomeQuestionMarks) {
    std::string ansi;
    EXPECT_EQ(WideToAnsi(L"中文abc", ansi), 1);
    EXPECT_EQ(ansi, kGbkChinese + "abc");
    EXPECT_EQ(WideToAnsi(L"", ansi), 0);
    EXPECT_EQ(ansi, "");
    EXPECT_EQ(WideToAnsiString(L"a\U0001F600b"), "a?b");
    EXPECT_EQ(AnsiToWideString(kGbkChinese + "abc"), L"中文abc");
    EXPECT_EQ(AnsiToWideString(""), L"");
}

TEST(TextConvert, WideToMultiByteCPByCodePage) {
    struct Case {
        unsigned codePage;
        std::wstring text;
        int result;
        std::string bytes;
    };
    const Case cases[] = {
        {kCodePageAnsi, L"中文", 1, kGbkChinese},
        {kCodePageOem, L"中文", 1, kGbkChinese},
        {kCodePageThreadAnsi, L"中文", 1, kGbkChinese},
        {kCodePageGbk, L"中文", 1, kGbkChinese},
        {kCodePageUtf8, L"中文", 1, "\xE4\xB8\xAD\xE6\x96\x87"},
        {kCodePageUtf8, L"\U0001F600", 1, "\xF0\x9F\x98\x80"},
        {kCodePageGbk, L"\U0001F600", 0, ""},  // refused, not replaced
        {1252, L"abc", 0, ""},
    };
    for (const Case& c : cases) {
        std::string bytes = "stale";
        EXPECT_EQ(WideToMultiByteCP(c.codePage, c.text, bytes), c.result) << "code page " << c.codePage;
        EXPECT_EQ(bytes, c.bytes) << "code page " << c.codePage;
    }
}

TEST(TextConvert, Utf8ToWideRefusesInvalidText) {
    std::wstring wide = L"stale";
    EXPECT_EQ(Utf8ToWide("\xE4\xB8\xAD\xF0\x9F\x98\x80", wide), 1);
    EXPECT_EQ(wide, L"中\U0001F600");
    EXPECT_EQ(Utf8ToWide("\xC3\x28", wide), 0);
    EXPECT_EQ(wide, L"");
    EXPECT_EQ(Utf8ToWide("", wide), 1);
}

// The old work buffers held 5195 characters; nothing is cut any more.
TEST(TextConvert, LongTextsConvertWhole) {
    std::wstring text;
    for (int i = 0; i < 6000; ++i) {
        text += (i % 2 == 0) ? L'中' : L'a';
    }
    const std::string ansi = WideToAnsiString(text);
    EXPECT_EQ(ansi.size(), 9000U);
    EXPECT_EQ(AnsiToWideString(ansi), text);
    std::string bytes;
    ASSERT_EQ(WideToAnsi(text, bytes), 1);
    EXPECT_EQ(bytes, ansi);
    ASSERT_EQ(WideToMultiByteCP(kCodePageUtf8, text, bytes), 1);
    std::wstring back;
    ASSERT_EQ(Utf8ToWide(bytes, back), 1);
    EXPECT_EQ(back, text);
}

TEST(ProgramPaths, FolderWithAndWithoutTrailingSeparator) {
    const std::wstring folder = platform::FromPath(platform::ProgramFolder());
    EXPECT_EQ(GetExeFolder(), folder);
    EXPECT_EQ(GetExeDirectory(), folder + L"/");
}

}  // namespace
