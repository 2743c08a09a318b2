// Pictures, links and hot areas of the renderer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlTestEnvironment.h"
#include "HtmlTestFixture.h"
#include "platform/base/Encoding.h"
#include "platform/base/Launcher.h"
#include "platform/base/ProgramFolder.h"

namespace htmltest {
namespace {

std::string LinkUtf8(const std::wstring& text) { return platform::WideToUtf8(text); }

std::wstring Strip(const std::wstring& attributes) {
    return L"<ilst idres=" + std::to_wstring(kStripPicture) + L" " + attributes + L">";
}

std::wstring Red(const std::wstring& attributes) {
    return L"<bmp idres=" + std::to_wstring(kRedPicture) + L" " + attributes + L">";
}

TEST_F(HtmlDrawerTest, StripFramesAndTheirBounds) {
    struct Case {
        std::wstring markup;
        int textX;      // of the "x" after the strip
        int colour;     // the frame drawn, or -1 for none
    };
    const Case cases[] = {
        {Strip(L"index=3") + L"x", 16, 3},   // 64 x 16 without cx, cy: four square frames
        {Strip(L"index=4") + L"x", 0, -1},   // past the last frame: nothing, and x stays
        {Strip(L"") + L"x", 16, 0},
        {Strip(L"cx=32 cy=16 index=1") + L"x", 32, 2},
        {Strip(L"cx=32") + L"x", 0, -1},           // cy follows cx: no whole 32 x 32 frame
        {Strip(L"cx=100000 cy=1") + L"x", 0, -1},
        {Strip(L"index=1 width=50%") + L"x", 8, 1},
    };
    for (const Case& c : cases) {
        canvas = gfx::Bitmap(400, 300);
        Render(c.markup);
        EXPECT_EQ(device.RunWith(L"x").x, c.textX) << LinkUtf8(c.markup);
        if (c.colour >= 0) {
            EXPECT_EQ(canvas.PixelAt(2, 2), kStripColours[c.colour]) << LinkUtf8(c.markup);
        } else {
            EXPECT_EQ(canvas.PixelAt(2, 2).a, 0) << LinkUtf8(c.markup);
        }
    }
}

TEST_F(HtmlDrawerTest, AnimatedStripsStepEverySpeedTicksAndWrap) {
    Render(Strip(L"speed=5 index=2"));
    ASSERT_EQ(drawer.Animations().size(), 1u);
    EXPECT_EQ(drawer.Animations()[0].frameCount, 4);
    std::vector<int> frames;
    std::vector<bool> changed;
    for (int tick = 0; tick < 15; ++tick) {
        changed.push_back(drawer.AdvanceAnimations());
        frames.push_back(drawer.Animations()[0].currentFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{2, 2, 2, 2, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(changed[4], true);
    EXPECT_EQ(changed[5], false);
    Draw({0, 0, 100, 100});
    EXPECT_EQ(canvas.PixelAt(2, 2), kStripColours[1]);
    // Measuring again starts the animation afresh.
    Measure(Strip(L"speed=5 index=2"));
    EXPECT_EQ(drawer.Animations()[0].currentFrame, 2);
}

TEST_F(HtmlDrawerTest, PictureSizesMasksAndShadows) {
    struct Case {
        std::wstring markup;
        HtmlSize size;  // measured, without the extra pixel
    };
    const Case cases[] = {
        {Red(L""), {20, 10}},
        {Red(L"style=s"), {24, 14}},  // the shadow's offset
        {Red(L"hotstyle=s"), {24, 14}},
        {Red(L"width=200% height=5"), {40, 5}},
        {L"<icon idres=" + std::to_wstring(kRedPicture) + L">", {32, 32}},
        {L"<icon idres=" + std::to_wstring(kRedPicture) + L" width=50%>", {16, 32}},
    };
    for (const Case& c : cases) {
        const HtmlSize size = Measure(c.markup);
        EXPECT_EQ(size, (HtmlSize{c.size.cx + 1, c.size.cy + 1})) << LinkUtf8(c.markup);
    }
    Render(Red(L"mask=#ff00ff"));
    EXPECT_EQ(canvas.PixelAt(0, 0).a, 0);  // the magenta pixel is left out
    EXPECT_EQ(canvas.PixelAt(1, 1), (gfx::Color{255, 0, 0, 255}));
    canvas = gfx::Bitmap(400, 300);
    Render(Red(L"style=g"));
    const gfx::Color grey = canvas.PixelAt(5, 5);
    EXPECT_EQ(grey.r, grey.g);
    EXPECT_EQ(grey.r, 76);  // 0.299 x 255
}

TEST_F(HtmlDrawerTest, PicturesComeOnlyFromTheProgram) {
    const std::wstring inside = platform::FromPath(platform::ProgramFolder() / "Pictures" / "9002.png");
    struct Case {
        std::wstring markup;
        bool drawn;
    };
    const Case cases[] = {
        {L"<bmp file=Pictures/9002.png>", true},
        {L"<bmp file=\"Pictures\\9002.png\">", true},
        {L"<bmp file=\"" + inside + L"\">", true},
        {L"<bmp file=../html_tests_outside.png>", false},
        {L"<bmp file=\"" + platform::FromPath(OutsidePicture()) + L"\">", false},
        {L"<bmp file=Pictures/../../html_tests_outside.png>", false},
        {L"<bmp idres=424242>", false},
        {L"<bmp iddll=9002 srcdll=/usr/lib/x86_64-linux-gnu/libc.so.6>", false},
        {L"<bmp handle=12345>", false},
    };
    for (const Case& c : cases) {
        Render(c.markup + L"x");
        EXPECT_EQ(device.RunWith(L"x").x, c.drawn ? 20 : 0) << LinkUtf8(c.markup);
    }
}

TEST_F(HtmlDrawerTest, LinksRecordHotAreasAndFollowTheMouse) {
    std::vector<int> notified;
    drawer.SetHotLinkNotify([&](int link) { notified.push_back(link); });
    Render(L"<a href=\"http://example.org/\">one<br>two</a> three <a msg=note>four</a><a>five</a>");
    ASSERT_EQ(drawer.HotAreas().size(), 4u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(drawer.HotAreas()[i].linkNumber, 0);
        EXPECT_EQ(drawer.HotAreas()[i].kind, kLinkShell);
        EXPECT_EQ(drawer.HotAreas()[i].target, L"http://example.org/");
    }
    EXPECT_EQ(drawer.HotAreas()[2].kind, kLinkMessage);
    EXPECT_EQ(drawer.HotAreas()[3].target, L"");
    const DrawnRun two = device.RunWith(L"two");
    EXPECT_EQ(drawer.HotAreaAt({two.x + 1, two.y + 1}), 1);
    EXPECT_EQ(drawer.HotAreaAt({200, 200}), -1);

    EXPECT_TRUE(drawer.UpdateHoverCursor({two.x + 1, two.y + 1}));
    EXPECT_TRUE(drawer.UpdateHoverCursor({two.x + 2, two.y + 1}));  // the same link: told once
    device.ClearRuns();
    Draw({0, 0, 200, 100});
    EXPECT_EQ(drawer.HotAreas().size(), 4u);  // a repaint records them afresh, not again
    EXPECT_TRUE(device.RunWith(L"one").font.underline);
    EXPECT_TRUE(device.RunWith(L"two").font.underline);
    EXPECT_EQ(device.RunWith(L"one").textColour, 0xFF0000u);
    EXPECT_FALSE(device.RunWith(L"four").font.underline);

    const DrawnRun five = device.RunWith(L"five");
    EXPECT_FALSE(drawer.UpdateHoverCursor({five.x + 1, five.y + 1}));  // a link without a target
    EXPECT_FALSE(drawer.UpdateHoverCursor({300, 300}));
    EXPECT_FALSE(drawer.UpdateHoverCursor({301, 300}));
    EXPECT_EQ(notified, (std::vector<int>{0, 2, -2}));
}

TEST_F(HtmlDrawerTest, OnlyWebLinksAreOpenedAsOneArgument) {
    struct Started {
        std::string program;
        std::vector<std::string> arguments;
    };
    std::vector<Started> started;
    bool answer = true;
    const platform::ProgramStarter previous = platform::SetProgramStarter(
        [&](const std::string& program, const std::vector<std::string>& arguments) {
            started.push_back({program, arguments});
            return answer;
        });
    struct Case {
        const wchar_t* markup;
        const char* opened;  // the one argument, or null when nothing may start
    };
    const Case cases[] = {
        {L"<a href=\"https://example.org/a b?q=1&amp;r=2\">x</a>", "https://example.org/a b?q=1&r=2"},
        {L"<a href=HTTP://EXAMPLE.ORG>x</a>", "HTTP://EXAMPLE.ORG"},
        {L"<a href=\"http://x.org/;rm -rf ~ $(id) `id`\">x</a>", "http://x.org/;rm -rf ~ $(id) `id`"},
        {L"<a href=\"http://x.org/--help -v\">x</a>", "http://x.org/--help -v"},
        {L"<a href=file:///etc/passwd>x</a>", nullptr},
        {L"<a href=notepad.exe>x</a>", nullptr},
        {L"<a href=\"/usr/bin/xterm\">x</a>", nullptr},
        {L"<a href=\"javascript:alert(1)\">x</a>", nullptr},
        {L"<a href=\"--version\">x</a>", nullptr},
        {L"<a href=httpx://example.org>x</a>", nullptr},
        {L"<a msg=http://example.org>x</a>", nullptr},
        {L"<a>x</a>", nullptr},
    };
    for (const Case& c : cases) {
        started.clear();
        Render(c.markup);
        ASSERT_EQ(drawer.HotAreas().size(), 1u) << LinkUtf8(c.markup);
        const int result = drawer.ActivateHotArea(0);
        if (c.opened != nullptr) {
            ASSERT_EQ(started.size(), 1u) << LinkUtf8(c.markup);
            EXPECT_EQ(started[0].program, "xdg-open");
            EXPECT_EQ(started[0].arguments, (std::vector<std::string>{c.opened})) << LinkUtf8(c.markup);
            EXPECT_EQ(result, 1);
        } else {
            EXPECT_TRUE(started.empty()) << LinkUtf8(c.markup);
            EXPECT_EQ(result, 0) << LinkUtf8(c.markup);
        }
    }
    EXPECT_EQ(drawer.ActivateHotArea(7), 0);
    answer = false;
    Render(L"<a href=http://example.org>x</a>");
    EXPECT_EQ(drawer.ActivateHotArea(0), 0);  // a failed start is not reported as done
    platform::SetProgramStarter(previous);
}

}  // namespace
}  // namespace htmltest
