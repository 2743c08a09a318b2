#pragma once
// ITracelumeCallback: what the viewer tells its host. The host implements it, owns
// it and hands it to the viewer; the viewer never frees it and calls it only on the
// user-interface thread. Operations in the order the host's implementation lays
// them out.

#include <cstdint>
#include <string>

class ITracelumeCallback {
public:
    // The waveform window's properties as XML text, for the host to show.
    virtual void ShowProperties(const std::wstring& xml) = 0;
    // Called immediately before ShowProperties.
    virtual void BeginProperties() = 0;
    // An event of the viewer (codes below); the viewer ignores the result. Both
    // words are as wide as a pointer: one may carry a pointer, and sample positions
    // travel whole in them.
    virtual std::intptr_t Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual ~ITracelumeCallback() = default;
};

namespace tracelume {

// A left double click in the waveform without Ctrl: wParam the high 32 bits of the
// sample position under the mouse, lParam the whole position (a host that joins
// wParam with the low 32 bits of lParam gets the same).
inline constexpr std::uint32_t kNotifyDoubleClick = 100;
// The detail view wants data: wParam the first visible sample less 20 (not below
// 0), lParam the number of visible samples plus 20. Sent on entering the 10x
// detail view and after each scroll in it.
inline constexpr std::uint32_t kNotifyDetailRange = 111;
// The detail view was left; both words 0.
inline constexpr std::uint32_t kNotifyDetailLeft = 112;
// A region gesture ended: wParam 1 when the region is wide enough (or was moved
// whole), else 0; lParam points to two 32-bit ints, the screen point, valid
// during the call.
inline constexpr std::uint32_t kNotifyRegionGesture = 116;
// The screen point that code 116 points to.
struct NotifyPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
// The selected region: wParam its first sample, lParam its last sample plus 1.
inline constexpr std::uint32_t kNotifyRegion = 117;
// Progress of building a summary cache: first (total samples / 100000, 0), then
// (0, number of 100000-sample steps done) at most once a second.
inline constexpr std::uint32_t kNotifyCacheProgress = 118;
// Region state: wParam 1 at the start of every region commit, 0 when region mode
// ends; lParam 0.
inline constexpr std::uint32_t kNotifyRegionState = 119;

}  // namespace tracelume
