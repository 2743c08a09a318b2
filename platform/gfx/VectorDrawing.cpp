#include "platform/gfx/VectorDrawing.h"

#include <algorithm>

namespace gfx {

bool VectorPath::HasCurves() const {
    return std::find(verbs.begin(), verbs.end(), Verb::Curve) != verbs.end();
}

std::size_t VectorPath::FigureCount() const {
    return static_cast<std::size_t>(std::count(verbs.begin(), verbs.end(), Verb::Move));
}

}  // namespace gfx
