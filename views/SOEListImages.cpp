#include "views/SOEListImages.h"

#include <wx/bitmap.h>

#include "platform/ui/SurfaceImage.h"
#include "views/data/SoeListPictures.h"

std::unique_ptr<wxImageList> MakeSoeListImages()
{
    auto images = std::make_unique<wxImageList>(kSoePictureWidth, kSoePictureHeight, true, kSoePictureCount);
    for (int kind = 0; kind < kSoePictureCount; ++kind) {
        const gfx::Bitmap picture = DrawSoeListPicture(kind);
        images->Add(wxBitmap(ui::ImageFromSurface(picture.Surface(), true)));
    }
    return images;
}
