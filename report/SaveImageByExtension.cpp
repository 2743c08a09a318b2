#include "report/SaveImageByExtension.h"

#include <cwctype>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/ImageCodec.h"

std::wstring ImageEncoderName(std::wstring_view extension)
{
    std::wstring text(extension);
    const auto blank = [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; };
    while (!text.empty() && blank(text.back())) {
        text.pop_back();
    }
    std::size_t first = 0;
    while (first < text.size() && blank(text[first])) {
        ++first;
    }
    text.erase(0, first);
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    if (text == L"jpg" || text == L"jpeg" || text == L"jpe" || text == L"jfif") {
        return L"jpeg";
    }
    if (text == L"tiff" || text == L"tif") {
        return L"tiff";
    }
    if (text == L"gif" || text == L"png") {
        return text;
    }
    return L"bmp";
}

std::wstring ImageMimeType(std::wstring_view extension)
{
    return L"image/" + ImageEncoderName(extension);
}

bool SaveImageByExtension(const gfx::Bitmap& bitmap, int width, int height, std::wstring_view extension,
                          std::string* stream, const std::wstring& path)
{
    gfx::Bitmap picture(width, height);
    if (picture.IsEmpty()) {
        return false;
    }
    {
        gfx::Context context(picture);
        context.DrawBitmap(bitmap, 0, 0);
    }
    std::string bytes;
    if (!gfx::EncodeImage(picture, platform::WideToUtf8(ImageEncoderName(extension)), bytes, 100)) {
        return false;
    }
    if (stream != nullptr) {
        stream->append(bytes);
        return true;
    }
    return !path.empty() && platform::AtomicWriteFile(platform::ToPath(path), bytes);
}
