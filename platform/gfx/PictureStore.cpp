#include "platform/gfx/PictureStore.h"

#include <string>

#include "platform/base/ProgramFolder.h"

namespace gfx {

Bitmap LoadPicture(int id) {
    if (id < 0) {
        return {};
    }
    return Bitmap::LoadPng(platform::ProgramFolder() / "Pictures" / (std::to_string(id) + ".png"));
}

}  // namespace gfx
