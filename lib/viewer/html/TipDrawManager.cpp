#include "lib/viewer/html/TipDrawManager.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "lib/viewer/html/BitmapPixels.h"

namespace {

// Fixed, so that a patterned fill is the same picture every time it is drawn.
constexpr std::uint32_t kPatternSeed = 0x5EED;
constexpr int kGradientBands = 64;
constexpr int kMetalStreaks = 200;

int Red(std::uint32_t colour) { return static_cast<int>(colour & 0xFF); }
int Green(std::uint32_t colour) { return static_cast<int>((colour >> 8) & 0xFF); }
int Blue(std::uint32_t colour) { return static_cast<int>((colour >> 16) & 0xFF); }
std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
}

// Colour k of `steps` from one colour towards the other.
std::uint32_t Mix(std::uint32_t from, std::uint32_t to, int k, int steps) {
    auto channel = [&](int a, int b) { return (a * (steps - k) + b * k) / steps; };
    return Rgb(channel(Red(from), Red(to)), channel(Green(from), Green(to)), channel(Blue(from), Blue(to)));
}

gfx::Pen PenOf(std::uint32_t colour, int style, int width) {
    gfx::Pen pen;
    pen.color = gfx::Color::FromColorRef(colour);
    pen.width = width;
    switch (style) {
        case kLineDash: pen.style = gfx::PenStyle::Dash; break;
        case kLineDot: pen.style = gfx::PenStyle::Dot; break;
        case kLineDashDot: pen.style = gfx::PenStyle::DashDot; break;
        case kLineDashDotDot: pen.style = gfx::PenStyle::DashDotDot; break;
        default: pen.style = gfx::PenStyle::Solid; break;
    }
    return pen;
}

// Averages each pixel's alpha over a box of the given odd size (edges clamped).
void BoxBlurAlpha(std::vector<int>& alpha, int width, int height, int boxX, int boxY) {
    std::vector<int> pass(alpha.size());
    const int rx = boxX / 2;
    const int ry = boxY / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (int k = -rx; k <= rx; ++k) {
                sum += alpha[static_cast<std::size_t>(y) * width + std::clamp(x + k, 0, width - 1)];
            }
            pass[static_cast<std::size_t>(y) * width + x] = sum / boxX;
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (int k = -ry; k <= ry; ++k) {
                sum += pass[static_cast<std::size_t>(std::clamp(y + k, 0, height - 1)) * width + x];
            }
            alpha[static_cast<std::size_t>(y) * width + x] = sum / boxY;
        }
    }
}

int MakeOdd(int size) { return std::max(1, size | 1); }

}  // namespace

void CTipDrawManager::FillEffect(gfx::Context& dc, const HtmlRect& rect, int effect, std::uint32_t begin,
                                 std::uint32_t middle, std::uint32_t end, int granularity, bool noise) {
    if (effect < 0 || rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    const int halfWidth = rect.Width() / 2;
    const int halfHeight = rect.Height() / 2;
    const HtmlRect left{rect.left, rect.top, rect.left + halfWidth, rect.bottom};
    const HtmlRect right{rect.left + halfWidth, rect.top, rect.right, rect.bottom};
    const HtmlRect top{rect.left, rect.top, rect.right, rect.top + halfHeight};
    const HtmlRect bottom{rect.left, rect.top + halfHeight, rect.right, rect.bottom};
    switch (effect) {
        case kFillHGradient: FillGradient(dc, begin, end, rect, true); break;
        case kFillVGradient: FillGradient(dc, begin, end, rect, false); break;
        case kFillHCGradient:
            FillGradient(dc, begin, end, left, true);
            FillGradient(dc, end, begin, right, true);
            break;
        case kFillVCGradient:
            FillGradient(dc, begin, end, top, false);
            FillGradient(dc, end, begin, bottom, false);
            break;
        case kFill3HGradient:
            FillGradient(dc, begin, middle, left, true);
            FillGradient(dc, middle, end, right, true);
            break;
        case kFill3VGradient:
            FillGradient(dc, begin, middle, top, false);
            FillGradient(dc, middle, end, bottom, false);
            break;
        default:
            if (effect >= kFillNoise && effect <= kFillMetal) {
                FillPattern(dc, rect, effect, begin, middle, end, granularity, noise);
            } else {
                dc.FillRect(rect.ToGfx(), gfx::Color::FromColorRef(begin));
            }
            break;
    }
}

void CTipDrawManager::FillGradient(gfx::Context& dc, std::uint32_t from, std::uint32_t to, const HtmlRect& rect,
                                   bool horizontal) {
    const long long length = horizontal ? rect.Width() : rect.Height();
    for (int k = 0; k < kGradientBands; ++k) {
        const int start = static_cast<int>(length * k / kGradientBands);
        const int stop = static_cast<int>(length * (k + 1) / kGradientBands);
        if (stop <= start) {
            continue;
        }
        const HtmlRect band = horizontal ? HtmlRect{rect.left + start, rect.top, rect.left + stop, rect.bottom}
                                         : HtmlRect{rect.left, rect.top + start, rect.right, rect.top + stop};
        dc.FillRect(band.ToGfx(), gfx::Color::FromColorRef(Mix(from, to, k, kGradientBands)));
    }
}

void CTipDrawManager::FillPattern(gfx::Context& dc, const HtmlRect& rect, int effect, std::uint32_t begin,
                                  std::uint32_t middle, std::uint32_t end, int granularity, bool noise) {
    // Only the part that can show is computed: a huge rectangle costs no more than
    // the drawing surface it lands on.
    const gfx::Rect clip = dc.ClipBox();
    const int visibleLeft = std::max(rect.left, static_cast<int>(std::floor(std::max(clip.left, -1e9))));
    const int visibleTop = std::max(rect.top, static_cast<int>(std::floor(std::max(clip.top, -1e9))));
    const int visibleRight = std::min(rect.right, static_cast<int>(std::ceil(std::min(clip.right, 1e9))));
    const int visibleBottom = std::min(rect.bottom, static_cast<int>(std::ceil(std::min(clip.bottom, 1e9))));
    if (!m_dib.Create(visibleRight - visibleLeft, visibleBottom - visibleTop)) {
        return;
    }
    for (int k = 0; k < 128; ++k) {
        m_dib.SetPaletteEntry(k, Mix(begin, middle, k, 128));
        m_dib.SetPaletteEntry(128 + k, Mix(middle, end, k, 128));
    }
    const int g = std::clamp(granularity, 0, 127);
    const int width = rect.Width();
    const int height = rect.Height();
    std::minstd_rand random(kPatternSeed);
    auto jitter = [&] { return noise && g > 0 ? static_cast<int>(random() % (2 * g + 1)) - g : 0; };
    auto ramp = [&](double t) { return g + t * (255 - 2 * g); };
    auto unit = [](int position, int size) { return size > 1 ? static_cast<double>(position) / (size - 1) : 0.0; };

    // Metal: diagonal streaks of random length and level, kept for the visible part.
    std::vector<int> streaks;
    if (effect == kFillMetal) {
        streaks.assign(static_cast<std::size_t>(m_dib.Width()) * m_dib.Height(), -1);
        const long long longest = std::max(1, (width + height) / 4);
        for (int s = 0; s < kMetalStreaks; ++s) {
            const long long x0 = random() % width;
            const long long y0 = random() % height;
            const long long length = 1 + static_cast<long long>(random() % longest);
            const int level = g + static_cast<int>(random() % (256 - 2 * g));
            const long long first = std::max({0LL, visibleLeft - rect.left - x0, visibleTop - rect.top - y0});
            const long long last = std::min({length, visibleRight - rect.left - x0, visibleBottom - rect.top - y0});
            for (long long i = first; i < last; ++i) {
                const long long vx = rect.left + x0 + i - visibleLeft;
                const long long vy = rect.top + y0 + i - visibleTop;
                streaks[static_cast<std::size_t>(vy * m_dib.Width() + vx)] = level;
            }
        }
    }

    const int bevel = std::min(16, width / 6);
    for (int vy = visibleTop; vy < visibleBottom; ++vy) {
        const int fromBottom = rect.bottom - 1 - vy;
        const double v = unit(fromBottom, height);
        const double centredV = 2 * v - 1;
        for (int vx = visibleLeft; vx < visibleRight; ++vx) {
            const int x = vx - rect.left;
            const double u = unit(x, width);
            const double centredU = 2 * u - 1;
            double index = 0;
            switch (effect) {
                case kFillNoise: index = g + static_cast<int>(random() % (256 - 2 * g)); break;
                case kFillDiagShade: index = ramp((v + (1 - u)) / 2) + jitter(); break;
                case kFillHShade: index = ramp(v) + jitter(); break;
                case kFillVShade: index = ramp(u) + jitter(); break;
                case kFillHBump: index = ramp(std::sin(std::numbers::pi * v)) + jitter(); break;
                case kFillVBump: index = ramp(std::sin(std::numbers::pi * u)) + jitter(); break;
                case kFillSoftBump:
                    index = 128 + (centredU * centredU * centredU + centredV * centredV * centredV) * (128 - g) +
                            jitter();
                    break;
                case kFillHardBump: {
                    index = 128 + centredV * centredV * centredV * (128 - g);
                    // Bevels at the sides: lighter on the left, darker on the right,
                    // strongest half-way down.
                    const double shape = 1 - centredV * centredV;
                    if (x < bevel) {
                        index += (255 - g - index) * (1 - static_cast<double>(x) / bevel) * shape;
                    } else if (width - 1 - x < bevel) {
                        index -= (index - g) * (1 - static_cast<double>(width - 1 - x) / bevel) * shape;
                    }
                    index += jitter();
                    break;
                }
                default: {  // metal
                    index = ramp(u) + jitter();
                    const int streak =
                        streaks[static_cast<std::size_t>(vy - visibleTop) * m_dib.Width() + (vx - visibleLeft)];
                    if (streak >= 0) {
                        index = (index + streak) / 2;
                    }
                    break;
                }
            }
            m_dib.At(vx - visibleLeft, visibleBottom - 1 - vy) =
                static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::lround(index)), g, 255 - g));
        }
    }
    m_dib.Draw(dc, visibleLeft, visibleTop);
}

gfx::Bitmap CTipDrawManager::TransformBitmap(const gfx::Bitmap& bitmap, unsigned flags, TipColourKey key,
                                             std::uint32_t replacement) {
    m_hasAlpha = false;
    gfx::Bitmap result(bitmap.Width(), bitmap.Height());
    if (result.IsEmpty()) {
        return result;
    }
    CBitmapPixels in(bitmap);
    CBitmapPixels out(result);
    for (int y = 0; y < in.Height(); ++y) {
        const std::uint32_t* from = in.Row(y);
        std::uint32_t* to = out.Row(y);
        for (int x = 0; x < in.Width(); ++x) {
            CBitmapPixels::Straight pixel = CBitmapPixels::Unpremultiply(from[x]);
            if (pixel.a < 255) {
                m_hasAlpha = true;
            }
            if (key.use && Rgb(pixel.r, pixel.g, pixel.b) == key.colour) {
                pixel.r = pixel.g = pixel.b = 0;
            } else {
                if ((flags & kImageGrey) != 0) {
                    const int grey = static_cast<int>(std::lround(0.299 * pixel.r + 0.587 * pixel.g + 0.114 * pixel.b));
                    pixel.r = pixel.g = pixel.b = grey;
                }
                if ((flags & kImageDarken) != 0) {
                    pixel.r = pixel.r * 3 / 4;
                    pixel.g = pixel.g * 3 / 4;
                    pixel.b = pixel.b * 3 / 4;
                }
                if ((flags & kImageLighten) != 0) {
                    pixel.r = std::min(255, pixel.r * 5 / 4);
                    pixel.g = std::min(255, pixel.g * 5 / 4);
                    pixel.b = std::min(255, pixel.b * 5 / 4);
                }
                if ((flags & kImageReplace) != 0) {
                    pixel.r = Red(replacement);
                    pixel.g = Green(replacement);
                    pixel.b = Blue(replacement);
                }
            }
            if ((flags & kImageInvert) != 0) {
                pixel.r = 255 - pixel.r;
                pixel.g = 255 - pixel.g;
                pixel.b = 255 - pixel.b;
            }
            to[x] = CBitmapPixels::Premultiply(pixel);
        }
    }
    return result;
}

void CTipDrawManager::AlphaBlend(const gfx::Bitmap& source, gfx::Bitmap& destination, const HtmlRect& part,
                                 int percent) {
    if (percent <= 0) {
        return;
    }
    CBitmapPixels in(source);
    CBitmapPixels out(destination);
    const int left = std::max({0, part.left});
    const int top = std::max({0, part.top});
    const int right = std::min({part.right, in.Width(), out.Width()});
    const int bottom = std::min({part.bottom, in.Height(), out.Height()});
    const int p = std::min(percent, 100);
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* from = in.Row(y);
        std::uint32_t* to = out.Row(y);
        for (int x = left; x < right; ++x) {
            if (p == 100) {
                to[x] = from[x];
                continue;
            }
            std::uint32_t mixed = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const std::uint32_t s = (from[x] >> shift) & 0xFF;
                const std::uint32_t d = (to[x] >> shift) & 0xFF;
                mixed |= ((s * p + d * (100 - p) + 50) / 100) << shift;
            }
            to[x] = mixed;
        }
    }
}

void CTipDrawManager::DrawShadow(gfx::Bitmap& destination, int x, int y, const gfx::Bitmap& mask, bool blur,
                                 int blurX, int blurY) {
    const int width = mask.Width();
    const int height = mask.Height();
    if (width <= 0 || height <= 0) {
        return;
    }
    // Darkness 0..255 of every mask pixel (the mask holds grey levels, white = none).
    std::vector<int> darkness(static_cast<std::size_t>(width) * height, 0);
    {
        CBitmapPixels in(mask);
        if (!blur) {
            for (int row = 0; row < height; ++row) {
                for (int column = 0; column < width; ++column) {
                    darkness[static_cast<std::size_t>(row) * width + column] =
                        255 - CBitmapPixels::Unpremultiply(in.At(column, row)).r;
                }
            }
        } else {
            // The mask shrunk by the blur sizes and centred, so that the blurred
            // shadow stays within the mask's bounds.
            const int boxX = MakeOdd(blurX);
            const int boxY = MakeOdd(blurY);
            const int innerWidth = std::max(1, width - boxX);
            const int innerHeight = std::max(1, height - boxY);
            const int offsetX = (width - innerWidth) / 2;
            const int offsetY = (height - innerHeight) / 2;
            for (int row = 0; row < innerHeight; ++row) {
                for (int column = 0; column < innerWidth; ++column) {
                    const int sx = static_cast<int>(static_cast<long long>(column) * width / innerWidth);
                    const int sy = static_cast<int>(static_cast<long long>(row) * height / innerHeight);
                    darkness[static_cast<std::size_t>(row + offsetY) * width + column + offsetX] =
                        255 - CBitmapPixels::Unpremultiply(in.At(sx, sy)).r;
                }
            }
            BoxBlurAlpha(darkness, width, height, boxX, boxY);
        }
    }
    CBitmapPixels out(destination);
    for (int row = 0; row < height; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= out.Height()) {
            continue;
        }
        std::uint32_t* to = out.Row(ty);
        for (int column = 0; column < width; ++column) {
            const int tx = x + column;
            const std::uint32_t shade = static_cast<std::uint32_t>(darkness[static_cast<std::size_t>(row) * width + column]);
            if (tx < 0 || tx >= out.Width() || shade == 0) {
                continue;
            }
            // Black of strength `shade` over the pixel: colours are multiplied by
            // (255 - shade) / 255, and a transparent pixel turns that dark.
            const std::uint32_t pixel = to[tx];
            const std::uint32_t keep = 255 - shade;
            const std::uint32_t alpha = ((pixel >> 24) * keep + 127) / 255 + shade;
            auto channel = [&](int shift) { return ((((pixel >> shift) & 0xFF) * keep + 127) / 255) << shift; };
            to[tx] = (std::min<std::uint32_t>(255, alpha) << 24) | channel(16) | channel(8) | channel(0);
        }
    }
}

void CTipDrawManager::DrawBitmap(gfx::Context& dc, int x, int y, int width, int height, const gfx::Bitmap& bitmap,
                                 TipColourKey key, unsigned flags, const TipShadow& shadow) {
    if (width <= 0 || height <= 0 || bitmap.IsEmpty()) {
        return;
    }
    // Worked on at the picture's own size and stretched while drawing, so that a
    // large drawn size costs no memory.
    const int pictureWidth = bitmap.Width();
    const int pictureHeight = bitmap.Height();
    gfx::Bitmap image = TransformBitmap(bitmap, flags, key);
    if (image.IsEmpty()) {
        return;
    }
    if (key.use) {
        // Key pixels are left out: transparent in the image.
        CBitmapPixels in(bitmap);
        CBitmapPixels out(image);
        for (int row = 0; row < pictureHeight; ++row) {
            for (int column = 0; column < pictureWidth; ++column) {
                const CBitmapPixels::Straight pixel = CBitmapPixels::Unpremultiply(in.At(column, row));
                if (Rgb(pixel.r, pixel.g, pixel.b) == key.colour) {
                    out.At(column, row) = 0;
                }
            }
        }
    }
    const gfx::Rect whole = gfx::Rect::FromSize(0, 0, pictureWidth, pictureHeight);
    if ((flags & (kImageShadow | kImageBlurredShadow)) != 0) {
        // The shadow: the picture's outline in the shadow colour.
        gfx::Bitmap shade(pictureWidth, pictureHeight);
        {
            CBitmapPixels in(image);
            CBitmapPixels out(shade);
            std::vector<int> alpha(static_cast<std::size_t>(pictureWidth) * pictureHeight);
            for (int row = 0; row < pictureHeight; ++row) {
                for (int column = 0; column < pictureWidth; ++column) {
                    alpha[static_cast<std::size_t>(row) * pictureWidth + column] =
                        static_cast<int>(in.At(column, row) >> 24);
                }
            }
            if ((flags & kImageBlurredShadow) != 0) {
                BoxBlurAlpha(alpha, pictureWidth, pictureHeight, MakeOdd(shadow.blurX), MakeOdd(shadow.blurY));
            }
            for (int row = 0; row < pictureHeight; ++row) {
                for (int column = 0; column < pictureWidth; ++column) {
                    out.At(column, row) = CBitmapPixels::Premultiply(
                        {alpha[static_cast<std::size_t>(row) * pictureWidth + column], Red(shadow.colour),
                         Green(shadow.colour), Blue(shadow.colour)});
                }
            }
        }
        dc.DrawBitmap(shade, whole, gfx::Rect::FromSize(x + shadow.dx, y + shadow.dy, width, height));
    }
    dc.DrawBitmap(image, whole, gfx::Rect::FromSize(x, y, width, height));
}

void CTipDrawManager::DrawImageFromStrip(gfx::Context& dc, int x, int y, int width, int height,
                                         const gfx::Bitmap& strip, int index, int cellWidth, int cellHeight,
                                         TipColourKey key, unsigned flags, const TipShadow& shadow) {
    if (cellWidth <= 0 || cellHeight <= 0 || index < 0) {
        return;
    }
    const int columns = strip.Width() / cellWidth;
    const int rows = strip.Height() / cellHeight;
    if (index >= columns * rows) {
        return;
    }
    gfx::Bitmap cell(cellWidth, cellHeight);
    if (cell.IsEmpty()) {
        return;
    }
    {
        gfx::Context cellDc(cell);
        cellDc.DrawBitmap(strip, -(index % columns) * cellWidth, -(index / columns) * cellHeight);
    }
    DrawBitmap(dc, x, y, width, height, cell, key, flags, shadow);
}

void CTipDrawManager::DrawLine(gfx::Context& dc, int x1, int y1, int x2, int y2, std::uint32_t colour, int style,
                               int width) {
    if (width <= 0) {
        return;
    }
    dc.Save();
    dc.SetPen(PenOf(colour, style, width));
    dc.DrawLine({double(x1), double(y1)}, {double(x2), double(y2)});
    if (style == kLineDouble) {
        // The second line lies 2 x width inside: below a flat line, right of a steep one.
        const int step = 2 * width;
        const bool flat = std::abs(x2 - x1) >= std::abs(y2 - y1);
        dc.DrawLine({double(x1 + (flat ? 0 : step)), double(y1 + (flat ? step : 0))},
                    {double(x2 + (flat ? 0 : step)), double(y2 + (flat ? step : 0))});
    }
    dc.Restore();
}

void CTipDrawManager::DrawFrame(gfx::Context& dc, const HtmlRect& rect, std::uint32_t topLeft,
                                std::uint32_t bottomRight, int style, int width) {
    if (width <= 0 || rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    // Each edge is a line of the frame's width lying inside the rectangle.
    auto frame = [&](const HtmlRect& r) {
        const int near = width / 2;
        const int far = width - width / 2;
        DrawLine(dc, r.left, r.top + near, r.right, r.top + near, topLeft, style == kLineDouble ? kLineSolid : style,
                 width);
        DrawLine(dc, r.left + near, r.top, r.left + near, r.bottom, topLeft, style == kLineDouble ? kLineSolid : style,
                 width);
        DrawLine(dc, r.left, r.bottom - far, r.right, r.bottom - far, bottomRight,
                 style == kLineDouble ? kLineSolid : style, width);
        DrawLine(dc, r.right - far, r.top, r.right - far, r.bottom, bottomRight,
                 style == kLineDouble ? kLineSolid : style, width);
    };
    frame(rect);
    if (style == kLineDouble) {
        const int inset = 2 * width;
        const HtmlRect inner{rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
        if (inner.Width() > 0 && inner.Height() > 0) {
            frame(inner);
        }
    }
}
