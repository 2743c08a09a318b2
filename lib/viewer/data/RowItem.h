#pragma once
// A row of the viewer: one node of the channel tree and one horizontal band of the
// waveform area. IRowItem is what the host and the view's panes use; CRowItem holds
// what the row's kinds share (name, height, colours, numeric base, bit width,
// engineering range and unit, the style of each kind), turns raw samples into value
// texts and scale labels, and paints its band by asking each kind to draw.
//
// Ownership: the tree owns every row (the node it hangs from); a row owns the kinds
// added to it and releases them when they are removed or the row goes. Release
// deletes only a row that is in no tree; a row in the tree is deleted when the view
// removes it.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItemImp.h"
#include "lib/viewer/data/TreeItem.h"
#include "platform/gfx/Context.h"

class IRowItem {
protected:
    virtual ~IRowItem() = default;

public:
    // Drops a reference; returns the new count.
    virtual int Release() = 0;
    // Appends the kind unless it is listed; 1 appended, 0 already there.
    virtual int AddImp(IRowItemImp* kind) = 0;
    // Removes a listed kind (released when release is non-zero) and its style; 1
    // when it was listed. An unlisted kind only loses its style entry.
    virtual int RemoveImp(IRowItemImp* kind, int release) = 0;
    // Removes and releases every kind, and forgets every style.
    virtual void RemoveAllImps() = 0;
    virtual int GetImpCount() = 0;
    // Null outside 0 .. count - 1.
    virtual IRowItemImp* GetImp(int index) = 0;
    virtual void SetImpStyle(IRowItemImp* kind, const CLineStyleInfo& style) = 0;
    // The kind's style; a kind without one gets the default, which is then kept.
    virtual void GetImpStyle(IRowItemImp* kind, CLineStyleInfo* style) = 0;
    virtual void SetName(const std::wstring& name) = 0;
    virtual std::wstring GetName() = 0;
    // Kept within 150 .. 1200; returns what was kept.
    virtual int SetHeight(int height) = 0;
    virtual int GetHeight() = 0;
    // tracelume::RowBase.
    virtual void SetBase(int base) = 0;
    virtual int GetBase() = 0;
    // The engineering text of raw with the prefix and decimals that suit the
    // difference reference (a raw span); *twoDecimals tells whether 2 decimals were
    // chosen (else 0). Without a range, the digital text of raw.
    virtual std::wstring FormatValueAt(std::int64_t raw, std::int64_t reference, int* twoDecimals) = 0;
    // The value text of a raw sample: engineering with the row's unit when a range
    // is set, else digital in the row's base.
    virtual std::wstring FormatValue(std::int64_t raw) = 0;
    virtual void SetBitWidth(int bits) = 0;
    virtual int GetBitWidth() = 0;
    // COLORREF; kNoBackColor for no fill.
    virtual void SetBackColor(std::uint32_t color) = 0;
    virtual std::uint32_t GetBackColor() = 0;
    // The value at raw 0 and at full scale (raw 2^bits), the unit index and the decimals.
    virtual void SetRange(double zero, double full, int unit, int decimals) = 0;
    virtual void SetTreeValue(int value) = 0;
    virtual int AddRef() = 0;
    // Sets or clears the expanded bit of the tree node.
    virtual void SetTreeFlag(bool on) = 0;
    // Computes the scale labels for about *count divisions; *count becomes the
    // number of label steps. Nothing happens for a count of 0.
    virtual void SetScaleDivisions(int* count) = 0;
    // Label index: its position as a fraction of the band from the value at raw 0,
    // and its text; 0 past the last label (outputs untouched).
    virtual int GetScaleLabel(int index, double* position, std::wstring* text) = 0;

    static constexpr std::uint32_t kNoBackColor = 0xFFFFFFFF;
};

// The legend of the waveform control, as the rows tell it about their kinds.
class IRowLegend {
public:
    // kLegendKind: wParam the kind, lParam 1 when it was added or its style changed,
    // 0 when it is removed. kLegendEntry: wParam the kind, lParam a pointer to a
    // LegendEntry, valid during the call.
    virtual std::intptr_t SendLegendMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;

    static constexpr std::uint32_t kLegendKind = 0xC35;
    static constexpr std::uint32_t kLegendEntry = 0xC36;
    using LegendEntry = std::pair<std::uint32_t, std::wstring>;  // line colour, name

protected:
    ~IRowLegend() = default;
};

class CRowItem final : public CTreeItem, public IRowItem {
public:
    CRowItem() = default;
    ~CRowItem() override;

    int Release() override;
    int AddImp(IRowItemImp* kind) override;
    int RemoveImp(IRowItemImp* kind, int release) override;
    void RemoveAllImps() override;
    int GetImpCount() override;
    IRowItemImp* GetImp(int index) override;
    void SetImpStyle(IRowItemImp* kind, const CLineStyleInfo& style) override;
    void GetImpStyle(IRowItemImp* kind, CLineStyleInfo* style) override;
    void SetName(const std::wstring& name) override;
    std::wstring GetName() override;
    int SetHeight(int height) override;
    int GetHeight() override;
    void SetBase(int base) override;
    int GetBase() override;
    std::wstring FormatValueAt(std::int64_t raw, std::int64_t reference, int* twoDecimals) override;
    std::wstring FormatValue(std::int64_t raw) override;
    void SetBitWidth(int bits) override;
    int GetBitWidth() override;
    void SetBackColor(std::uint32_t color) override;
    std::uint32_t GetBackColor() override;
    void SetRange(double zero, double full, int unit, int decimals) override;
    void SetTreeValue(int value) override;
    int AddRef() override;
    void SetTreeFlag(bool on) override;
    void SetScaleDivisions(int* count) override;
    int GetScaleLabel(int index, double* position, std::wstring* text) override;

    // The text of a difference of two raw samples: engineering without the offset
    // of the range (with its unit) when the row has a range, else digital.
    std::wstring FormatDifference(std::int64_t raw);

    // The legend told about the row's kinds (borrowed; null for none). The view
    // sets it when it adds the row and clears it before the legend goes.
    void SetLegend(IRowLegend* legend) { m_legend = legend; }
    IRowLegend* GetLegend() const { return m_legend; }

    // Paints the band: the back colour, then every kind in list order, a
    // highlighted kind (the last one) on top.
    void Draw(gfx::Context& dc, const gfx::Rect& band, double first, double last);
    // Draws the scale labels of every kind into a band of the channel tree.
    void DrawImpLabels(gfx::Context& dc, double left, double top, double right, double bottom);

private:
    // The engineering value of a raw sample: (full - zero) x raw / 2^bits + zero.
    double Engineering(std::int64_t raw, bool withZero) const;
    bool HasRange() const;
    std::wstring WithUnit(std::wstring number, const std::wstring& prefix) const;
    void TellLegend(std::uint32_t message, IRowItemImp* kind, std::intptr_t lParam);

    int m_references = 0;
    std::uint32_t m_backColor = kNoBackColor;
    int m_base = 0;
    int m_bits = 32;
    double m_full = 0;
    double m_zero = 0;
    int m_unit = 0;
    int m_decimals = 3;
    std::vector<IRowItemImp*> m_kinds;
    std::map<IRowItemImp*, CLineStyleInfo> m_styles;
    // Scale labels, as the last SetScaleDivisions computed them.
    double m_labelStep = 1.0;
    double m_labelStart = 0;
    int m_labelDecimals = 0;
    double m_multiplier = 1.0;
    std::wstring m_prefix;
    IRowLegend* m_legend = nullptr;
};
