#pragma once
// EmfWriter: a recording as an enhanced metafile (EMF), played from its vector
// operations into metafile records: filled and outlined paths and polylines with
// pens and brushes, text as wide-character text records that place every
// character where the page's layout put it, in the font of the face name the
// drawing asked for (with the GB2312 character set for Chinese), pictures as
// device-independent bitmaps stretched onto their place, and clipping. A reader
// shows the text as text, lets it be searched and copied, and any zoom stays sharp.
//
// The metafile's reference device has `kLogicalPerUnit` pixels per unit of the
// recording, so positions keep a tenth of a unit; its paper size follows from the
// recording's extent and the units per inch given. Pictures are kept at no more
// pixels than print at 300 dpi; what they have of transparency is laid over white.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gfx/EmfRecords.h"
#include "platform/gfx/VectorDrawing.h"

namespace gfx {

class Recording;

class EmfWriter {
public:
    static constexpr double kLogicalPerUnit = 10.0;
    static constexpr double kPictureDpi = 300.0;

    // unitsPerInch: how many of the recording's units make an inch on paper.
    explicit EmfWriter(double unitsPerInch);

    // The metafile's bytes; empty for an empty recording.
    std::string Write(const Recording& recording);

private:
    struct Transform {
        double scaleX = 1.0;
        double scaleY = 1.0;
        double dx = 0.0;
        double dy = 0.0;
    };
    // The objects selected into the device context; 0 for none yet.
    struct Selection {
        std::uint32_t pen = 0;
        std::uint32_t brush = 0;
        std::uint32_t font = 0;
        std::uint32_t textColor = 0xFFFFFFFFu;
    };

    void Play(const VectorDrawing& drawing, const Transform& transform);
    void Fill(const FillOp& op, const Transform& t);
    void Stroke(const StrokeOp& op, const Transform& t);
    void Text(const TextOp& op, const Transform& t);
    void Image(const ImageOp& op, const Transform& t);
    void Save();
    void Restore();
    // The path's figures between the path records, and the bounds they cover.
    void WritePath(const VectorPath& path, const Transform& t, EmfRect& bounds);

    EmfPoint Map(const Transform& t, Point point) const;
    EmfRect Map(const Transform& t, const Rect& rect) const;
    void SelectPen(std::uint32_t style, std::uint32_t width, std::uint32_t colorRef);
    void SelectNullPen();
    void SelectBrush(std::uint32_t colorRef);
    void SelectNullBrush();
    void SelectFont(const EmfFont& font);
    void SetTextColor(std::uint32_t colorRef);
    void Select(std::uint32_t& selected, std::uint32_t handle);

    double m_unitsPerInch;
    std::unique_ptr<EmfRecords> m_out;
    std::uint32_t m_nextHandle = 1;
    std::map<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>, std::uint32_t> m_pens;
    std::map<std::uint32_t, std::uint32_t> m_brushes;
    std::map<EmfFont, std::uint32_t> m_fonts;
    Selection m_selection;
    std::vector<Selection> m_saved;
    std::size_t m_floor = 0;  // saves below this belong to the drawings around the one playing
};

}  // namespace gfx
