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
    // An event of the viewer (codes below); the viewer ignores the result. lParam
    // carries a pointer for some codes, hence its width.
    virtual std::int32_t Notify(std::uint32_t code, std::uint32_t wParam, std::intptr_t lParam) = 0;
    virtual ~ITracelumeCallback() = default;
};

namespace tracelume {

// Progress of building a summary cache: first (total samples / 100000, 0), then
// (0, number of 100000-sample steps done) at most once a second.
inline constexpr std::uint32_t kNotifyCacheProgress = 118;

}  // namespace tracelume
