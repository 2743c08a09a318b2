#pragma once
// Reading a metafile back in tests, as a reader of the format would: its records
// after checking the file's frame (header totals, record sizes, the end record),
// and the text records with the font selected for each.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace gfxtest {

struct EmfRecord {
    static constexpr std::uint32_t kHeader = 1;
    static constexpr std::uint32_t kEof = 14;
    static constexpr std::uint32_t kSetTextColor = 24;
    static constexpr std::uint32_t kSelectObject = 37;
    static constexpr std::uint32_t kExtCreateFontIndirectW = 82;
    static constexpr std::uint32_t kExtTextOutW = 84;

    std::uint32_t type = 0;
    std::string bytes;  // the whole record

    std::uint32_t U32(std::size_t at) const {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.data() + at, 4);
        return value;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::int16_t I16(std::size_t at) const {
        std::int16_t value = 0;
        std::memcpy(&value, bytes.data() + at, 2);
        return value;
    }
    std::u16string Utf16(std::size_t at, std::size_t units) const {
        std::u16string text(units, u'\0');
        std::memcpy(text.data(), bytes.data() + at, units * 2);
        return text;
    }
};

// The records; a failure names what is wrong with the file's frame.
inline std::vector<EmfRecord> ReadEmf(const std::string& emf) {
    std::vector<EmfRecord> records;
    std::size_t at = 0;
    while (at + 8 <= emf.size()) {
        EmfRecord record;
        std::uint32_t size = 0;
        std::memcpy(&record.type, emf.data() + at, 4);
        std::memcpy(&size, emf.data() + at + 4, 4);
        EXPECT_EQ(size % 4, 0u) << "record " << records.size() << " of type " << record.type;
        if (size < 8 || at + size > emf.size()) {
            ADD_FAILURE() << "record " << records.size() << " runs past the end";
            return records;
        }
        record.bytes = emf.substr(at, size);
        records.push_back(std::move(record));
        at += size;
    }
    EXPECT_EQ(at, emf.size());
    if (records.empty()) {
        ADD_FAILURE() << "no records";
        return records;
    }
    const EmfRecord& header = records.front();
    EXPECT_EQ(header.type, EmfRecord::kHeader);
    EXPECT_EQ(header.U32(40), 0x464D4520u) << "signature";
    EXPECT_EQ(header.U32(48), emf.size()) << "bytes in the header";
    EXPECT_EQ(header.U32(52), records.size()) << "records in the header";
    EXPECT_EQ(records.back().type, EmfRecord::kEof);
    return records;
}

inline std::vector<const EmfRecord*> OfType(const std::vector<EmfRecord>& records, std::uint32_t type) {
    std::vector<const EmfRecord*> found;
    for (const EmfRecord& record : records) {
        if (record.type == type) {
            found.push_back(&record);
        }
    }
    return found;
}

// A text record with the font and colour it is drawn in.
struct EmfText {
    std::u16string text;
    std::u16string face;
    std::int32_t height = 0;  // negative: the character height
    int charSet = 0;
    std::int32_t x = 0;  // the reference point on the baseline
    std::int32_t y = 0;
    std::vector<std::int32_t> advances;
    std::uint32_t color = 0;
};

inline std::vector<EmfText> Texts(const std::vector<EmfRecord>& records) {
    std::vector<EmfText> texts;
    std::vector<std::pair<std::uint32_t, const EmfRecord*>> fonts;
    const EmfRecord* font = nullptr;
    std::uint32_t color = 0;
    for (const EmfRecord& r : records) {
        if (r.type == EmfRecord::kExtCreateFontIndirectW) {
            fonts.emplace_back(r.U32(8), &r);
        } else if (r.type == EmfRecord::kSelectObject) {
            for (const auto& [handle, made] : fonts) {
                if (handle == r.U32(8)) {
                    font = made;
                }
            }
        } else if (r.type == EmfRecord::kSetTextColor) {
            color = r.U32(8);
        } else if (r.type == EmfRecord::kExtTextOutW) {
            EmfText shown;
            const std::uint32_t units = r.U32(44);
            shown.text = r.Utf16(r.U32(48), units);
            shown.x = r.I32(36);
            shown.y = r.I32(40);
            for (std::uint32_t i = 0; i < units; ++i) {
                shown.advances.push_back(r.I32(r.U32(72) + 4 * i));
            }
            if (font != nullptr) {
                const std::u16string face = font->Utf16(12 + 28, 32);
                shown.face = face.substr(0, face.find(u'\0'));
                shown.height = font->I32(12);
                shown.charSet = static_cast<unsigned char>(font->bytes[12 + 23]);
            }
            shown.color = color;
            texts.push_back(std::move(shown));
        }
    }
    return texts;
}

}  // namespace gfxtest
