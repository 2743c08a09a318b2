// ondrava-pictures <folder>: writes the shell's pictures as <folder>/<id>.png, the
// files resources/Pictures holds. Exit code 0 when every file was written.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/base/Encoding.h"
#include "tools/pictures/Pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = platform::ToPath(std::string_view(argv[1]));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    int failed = 0;
    for (const pictures::Picture& picture : pictures::DrawShellPictures()) {
        const std::filesystem::path file = folder / (std::to_string(picture.id) + ".png");
        if (!picture.bitmap.SavePng(file)) {
            std::fprintf(stderr, "%s: not written\n", platform::PathToUtf8(file).c_str());
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
