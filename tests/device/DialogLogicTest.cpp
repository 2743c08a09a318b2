// What the device dialog decides and draws without its window: the folder order,
// what a download's result leads to, and how a device row is drawn.
#include <gtest/gtest.h>

#include "device/DeviceRowPainter.h"
#include "device/DeviceTexts.h"
#include "device/DownloadOutcome.h"
#include "device/FolderSort.h"
#include "platform/base/Encoding.h"
#include "platform/net/NetErrors.h"

namespace {

using device::FolderRowKey;
using device::FolderSortState;

std::vector<std::size_t> Order(const std::vector<FolderRowKey>& rows, FolderSortState state, bool keepFirst) {
    return device::SortedFolderOrder(rows, state, keepFirst);
}

TEST(FolderSort, ClicksTurnTheDirectionOfTheSameColumnOnly) {
    FolderSortState state;
    state.Click(device::kFolderColumnSize);
    EXPECT_TRUE(state.ascending);
    state.Click(device::kFolderColumnSize);
    EXPECT_FALSE(state.ascending) << "twice on the size column: descending";
    state.Click(device::kFolderColumnName);
    EXPECT_TRUE(state.ascending) << "another column starts ascending";
    state.Reset(device::kFolderColumnName);
    EXPECT_TRUE(state.ascending) << "a new listing is in name order, however often it comes";
}

TEST(FolderSort, OrdersByNameOrSizeAndKeepsScreenFirst) {
    const std::vector<FolderRowKey> rows = {
        {L"SCREEN", 900}, {L"b_20260302", 10}, {L"B_20260301", 3000}, {L"a_20260303", 200}};
    struct Case {
        int column;
        bool ascending;
        bool keepFirst;
        std::vector<std::size_t> order;
    };
    const Case cases[] = {
        {device::kFolderColumnName, true, true, {0, 2, 3, 1}},   // case-sensitive: "B" before "a"
        {device::kFolderColumnName, false, true, {0, 1, 3, 2}},
        {device::kFolderColumnSize, true, true, {0, 1, 3, 2}},
        {device::kFolderColumnSize, false, true, {0, 2, 3, 1}},
        {device::kFolderColumnSize, false, false, {2, 0, 3, 1}},  // waveform mode: no fixed row
    };
    for (const Case& c : cases) {
        FolderSortState state;
        state.column = c.column;
        state.ascending = c.ascending;
        EXPECT_EQ(c.order, Order(rows, state, c.keepFirst))
            << "column " << c.column << (c.ascending ? " ascending" : " descending") << (c.keepFirst ? " screen first" : "");
    }
}

TEST(DownloadOutcome, EachResultHasItsMessageAndNextStep) {
    struct Case {
        int result;
        bool downloaded;
        bool goOn;
        bool refresh;
        unsigned text;  // 0: no message
    };
    const Case cases[] = {
        {0, true, true, false, 0},
        {-1, false, false, false, 0},  // a cancel is no success and shows nothing
        {net::kErrorCancelled, false, true, false, device::kTextCancelled},
        {net::kErrorFileNotFound, false, false, true, device::kTextSourceMissing},
        {net::kErrorPathNotFound, false, false, true, device::kTextInvalidPath},
        {net::kErrorAccessDenied, false, false, true, device::kTextAccessDenied},
        {net::kErrorWriteProtect, false, false, true, device::kTextWriteProtected},
        {net::kErrorDeviceNotAvailable, false, false, true, device::kTextNetworkUnavailable},
        {net::kErrorDiskFull, false, false, true, device::kTextDiskFull},
        {net::kErrorAlreadyExists, false, false, true, device::kTextAlreadyExists},
        {net::kErrorConnectionReset, false, false, true, device::kTextConnectionLost},
    };
    for (const Case& c : cases) {
        const device::DownloadOutcome outcome = device::OutcomeOfDownload(c.result);
        EXPECT_EQ(c.downloaded, outcome.downloaded) << "result " << c.result;
        EXPECT_EQ(c.goOn, outcome.goOn) << "result " << c.result;
        EXPECT_EQ(c.refresh, outcome.refreshDevices) << "result " << c.result;
        EXPECT_EQ(c.text != 0, outcome.showsMessage) << "result " << c.result;
        if (c.text != 0) {
            EXPECT_EQ(device::LoadDeviceString(c.text), outcome.message) << "result " << c.result;
        }
    }
    const device::DownloadOutcome other = device::OutcomeOfDownload(net::kErrorInvalidName);
    EXPECT_EQ(L"下载过程发生错误\r\n错误码：123", other.message);
    EXPECT_TRUE(other.refreshDevices);
}

// A refused name is shown as the user can read it: control characters spelled out,
// a very long name cut.
TEST(DownloadOutcome, ARefusedNameIsNamedReadably) {
    struct Case {
        std::wstring name;
        std::wstring shown;
    };
    const Case cases[] = {
        {L"EXPORT/r/../x", L"EXPORT/r/../x"},
        {L"EXPORT/r/a\nb\x1B[2J", L"EXPORT/r/a\\x0Ab\\x1B[2J"},
        {L"EXPORT/" + std::wstring(400, L'n'), L"EXPORT/" + std::wstring(253, L'n') + L"..."},
    };
    for (const Case& c : cases) {
        const device::DownloadOutcome outcome = device::OutcomeOfDownload(net::kErrorInvalidName, c.name);
        EXPECT_EQ(L"终端列出的文件名不能安全地保存，下载已停止：" + c.shown, outcome.message)
            << platform::WideToUtf8(c.shown);
        EXPECT_TRUE(outcome.refreshDevices);
    }
}

TEST(DownloadOutcome, ABrokenListingSaysWhy) {
    struct Case {
        int error;
        std::wstring reason;
    };
    const Case cases[] = {
        {net::kErrorTimeout, L"终端没有在规定时间内送完文件列表（连接过慢或终端没有响应）"},
        {net::kErrorListingTooLong, L"终端送来的文件列表过长，超出任何终端的文件列表"},
        {net::kErrorConnectionReset, L"网络连接已经断开，请检测网络连接"},
        {12345, L"错误码：12345"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(L"读取终端的文件列表失败，列表不完整：" + c.reason, device::ListingFailureText(c.error)) << c.error;
    }
}

TEST(DeviceRow, LineSplitsBeforeTheAddressOrNumber) {
    struct Case {
        std::wstring line;
        std::wstring name;
        std::wstring detail;
    };
    const Case cases[] = {
        {L"K7800 192.168.1.20", L"K7800", L"192.168.1.20"},
        {L"K7800 电能质量分析仪 7800123456", L"K7800 电能质量分析仪", L"7800123456"},
        {L"Bare", L"Bare", L""},
    };
    for (const Case& c : cases) {
        const auto [name, detail] = device::SplitDeviceLine(c.line);
        EXPECT_EQ(c.name, name) << testing::PrintToString(c.line);
        EXPECT_EQ(c.detail, detail) << testing::PrintToString(c.line);
    }
}

bool HasInk(const gfx::Bitmap& bitmap, int left, int top, int right, int bottom, gfx::Color background) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (bitmap.PixelAt(x, y) != background) {
                return true;
            }
        }
    }
    return false;
}

TEST(DeviceRow, DrawsStateColourIconAndBothLines) {
    gfx::Bitmap icon(48, 48);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            icon.SetPixel(x, y, gfx::Color{200, 0, 0});
        }
    }
    const std::wstring line = L"K7900 机柜 7900000001";
    EXPECT_EQ(0, gfx::MissingGlyphCount(L"K7900 机柜", device::DeviceNameFont()));
    for (const bool selected : {false, true}) {
        gfx::Bitmap row(320, device::kDeviceRowHeight);
        {
            gfx::Context dc(row);
            device::DrawDeviceRow(dc, gfx::Rect{0, 0, 320, device::kDeviceRowHeight}, icon, line, selected);
        }
        const gfx::Color fill = selected ? device::kRowSelected : device::kRowNormal;
        EXPECT_EQ(fill, row.PixelAt(1, 1)) << (selected ? "selected" : "plain");
        EXPECT_EQ((gfx::Color{200, 0, 0}), row.PixelAt(28, 28)) << "the icon";
        EXPECT_TRUE(HasInk(row, 60, 0, 320, device::kDeviceRowHeight / 2, fill)) << "the name above";
        EXPECT_TRUE(HasInk(row, 60, device::kDeviceRowHeight / 2, 320, device::kDeviceRowHeight, fill))
            << "the number below";
    }
}

}  // namespace
