#include "platform/ui/Clipboard.h"

#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "platform/ui/SurfaceImage.h"

namespace ui {

bool CopyPictureToClipboard(cairo_surface_t* picture) {
    // Laid over white, as the picture would show on a page.
    const wxImage image = ImageFromSurface(picture, true);
    if (!image.IsOk()) {
        return false;
    }
    wxClipboardLocker locker;
    if (!locker) {
        return false;
    }
    return wxTheClipboard->SetData(new wxBitmapDataObject(wxBitmap(image)));
}

}  // namespace ui
