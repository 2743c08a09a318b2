#include "lib/viewer/data/BitmapFile.h"

#include <cerrno>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/base/FileSystem.h"

namespace tracelume {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kDepth = 24;

void PutLittleEndian(std::string& bytes, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::uint8_t OverWhite(std::uint8_t channel, std::uint8_t alpha) {
    return static_cast<std::uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

}  // namespace

bool SaveBitmapFile(const gfx::Bitmap& bitmap, const std::filesystem::path& file) {
    if (bitmap.IsEmpty()) {
        errno = EINVAL;
        return false;
    }
    const std::uint64_t width = static_cast<std::uint64_t>(bitmap.Width());
    const std::uint64_t height = static_cast<std::uint64_t>(bitmap.Height());
    const std::uint64_t stride = (kDepth * width + 31) / 32 * 4;
    const std::uint64_t imageSize = stride * height;
    const std::uint64_t fileSize = imageSize + kFileHeaderSize + kInfoHeaderSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) {
        errno = EFBIG;
        return false;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(fileSize));
    bytes += "BM";
    PutLittleEndian(bytes, fileSize, 4);
    PutLittleEndian(bytes, 0, 4);  // two reserved words
    PutLittleEndian(bytes, kFileHeaderSize + kInfoHeaderSize, 4);
    PutLittleEndian(bytes, kInfoHeaderSize, 4);
    PutLittleEndian(bytes, width, 4);
    PutLittleEndian(bytes, height, 4);
    PutLittleEndian(bytes, 1, 2);  // planes
    PutLittleEndian(bytes, kDepth, 2);
    PutLittleEndian(bytes, 0, 4);  // no compression
    PutLittleEndian(bytes, imageSize, 4);
    bytes.append(16, '\0');  // resolution and palette counts
    for (std::uint64_t row = height; row-- > 0;) {
        for (std::uint64_t x = 0; x < width; ++x) {
            const gfx::Color pixel = bitmap.PixelAt(static_cast<int>(x), static_cast<int>(row));
            bytes.push_back(static_cast<char>(OverWhite(pixel.b, pixel.a)));
            bytes.push_back(static_cast<char>(OverWhite(pixel.g, pixel.a)));
            bytes.push_back(static_cast<char>(OverWhite(pixel.r, pixel.a)));
        }
        bytes.append(static_cast<std::size_t>(stride - 3 * width), '\0');
    }
    return platform::AtomicWriteFile(file, bytes);
}

}  // namespace tracelume
