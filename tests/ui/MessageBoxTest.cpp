// Message boxes and pickers answer through the installed responder, also when a
// worker asks (the question travels to the user-interface thread).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "EventPump.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/Message.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"

namespace {

class Responders : public ::testing::Test {
protected:
    void TearDown() override {
        ui::SetMessageBoxResponder(nullptr);
        ui::SetPickerResponder(nullptr);
    }
};

TEST_F(Responders, MessageBoxGetsTextCaptionAndFlagsAndReturnsTheAnswer) {
    std::vector<ui::MessageBoxRequest> asked;
    bool onUiThread = true;
    ui::SetMessageBoxResponder([&](const ui::MessageBoxRequest& request) {
        asked.push_back(request);
        onUiThread = onUiThread && ui::IsUiThread();
        return (request.flags & ui::kMbButtonMask) == ui::kMbYesNo ? ui::kIdNo : ui::kIdOk;
    });
    EXPECT_EQ(ui::MessageBox(nullptr, L"确定退出吗？", L"Ondrava", ui::kMbOkCancel | ui::kMbIconQuestion), ui::kIdOk);

    std::atomic<int> workerAnswer{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        workerAnswer = ui::MessageBox(nullptr, L"切换语言", L"", ui::kMbYesNo | ui::kMbIconInformation);
        done = true;
    });
    ASSERT_TRUE(uitest::PumpUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(workerAnswer.load(), ui::kIdNo);
    EXPECT_TRUE(onUiThread);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, L"确定退出吗？");
    EXPECT_EQ(asked[0].caption, L"Ondrava");
    EXPECT_EQ(asked[0].flags, 0x21u);
    EXPECT_EQ(asked[1].flags, 0x44u);
}

TEST_F(Responders, PickersPassTheirRequest) {
    std::vector<ui::PickerRequest> asked;
    ui::SetPickerResponder([&](const ui::PickerRequest& request) {
        asked.push_back(request);
        return request.kind == ui::PickerRequest::Kind::Folder ? std::wstring(L"/数据/K7700") : std::wstring();
    });
    EXPECT_EQ(ui::BrowseForFolder(L"请选择数据文件夹", nullptr, L"/start", L""), L"/数据/K7700");
    EXPECT_EQ(ui::SaveFileDialog(nullptr, L"导出", L"bitmap files(*.bmp)|*.bmp|All Files(*.*)|*.*||", L"*.bmp", L""),
              L"");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, L"请选择数据文件夹");
    EXPECT_EQ(asked[0].initialFolder, L"/start");
    EXPECT_EQ(asked[1].kind, ui::PickerRequest::Kind::SaveFile);
    EXPECT_EQ(asked[1].defaultExtension, L"*.bmp");
}

TEST(FileNames, DefaultExtensionIsAddedOnlyToNamesWithoutOne) {
    struct Case {
        std::wstring path;
        std::wstring extension;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"/tmp/wave", L"*.bmp", L"/tmp/wave.bmp"},
        {L"/tmp/wave", L"rcg", L"/tmp/wave.rcg"},
        {L"/tmp/wave.png", L"*.bmp", L"/tmp/wave.png"},
        {L"/tmp/v1.2/wave", L"bmp", L"/tmp/v1.2/wave.bmp"},
        {L"/tmp/.hidden", L"bmp", L"/tmp/.hidden.bmp"},
        {L"/tmp/wave", L"*.*", L"/tmp/wave"},
        {L"/tmp/wave", L"", L"/tmp/wave"},
        {L"", L"bmp", L""},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(ui::WithDefaultExtension(row.path, row.extension), row.expected)
            << std::string(row.path.begin(), row.path.end());
    }
    EXPECT_EQ(ui::ToWildcard(L"图片文件(*.jpg)|*.jpg|图片文件(*.png)|*.png|"), L"图片文件(*.jpg)|*.jpg|图片文件(*.png)|*.png");
    EXPECT_EQ(ui::ToWildcard(L"All Files(*.*)|*.*||"), L"All Files(*.*)|*.*");
}

}  // namespace
