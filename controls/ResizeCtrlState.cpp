#include "controls/ResizeCtrlState.h"

namespace controls {

ResizeCtrlState::ResizeCtrlState(bool expanded)
    : m_current(expanded ? kExpanded : kCollapsed), m_stored(m_current) {}

int ResizeCtrlState::InitialPicture() const {
    return m_current == kExpanded ? kPictureExpanded : kPictureCollapsed;
}

unsigned ResizeCtrlState::TipStringId() const {
    switch (m_current) {
    case kExpandedHover:
        return kTipCollapse;
    case kCollapsedHover:
        return kTipExpand;
    default:
        return 0;
    }
}

ResizeCtrlState::Effect ResizeCtrlState::MouseMove() {
    if (m_current != kExpanded && m_current != kCollapsed) {
        return {};
    }
    Effect effect;
    effect.loadPicture = m_current == kExpanded ? kPictureExpandedHover : kPictureCollapsedHover;
    effect.trackPointer = true;
    m_stored = m_current;
    m_current = kMoving;
    return effect;
}

ResizeCtrlState::Effect ResizeCtrlState::MouseHover() {
    m_current = m_stored;
    if (m_current == kCollapsed) {
        m_current = kCollapsedHover;
    } else if (m_current == kExpanded) {
        m_current = kExpandedHover;
    }
    m_stored = m_current;
    Effect effect;
    effect.updateTip = true;
    return effect;
}

ResizeCtrlState::Effect ResizeCtrlState::MouseLeave() {
    m_current = m_stored;
    if (m_current == kCollapsedHover) {
        m_current = kCollapsed;
    } else if (m_current == kExpandedHover) {
        m_current = kExpanded;
    }
    Effect effect;
    if (m_current == kExpanded) {
        effect.loadPicture = kPictureExpanded;
    } else if (m_current == kCollapsed) {
        effect.loadPicture = kPictureCollapsed;
    }
    m_stored = m_current;
    return effect;
}

ResizeCtrlState::Effect ResizeCtrlState::ButtonDown() {
    m_current = m_stored;
    if (m_current == kExpanded || m_current == kExpandedHover) {
        m_current = kCollapsed;
    } else if (m_current == kCollapsed || m_current == kCollapsedHover) {
        m_current = kExpanded;
    }
    m_stored = m_current;
    Effect effect;
    effect.updateTip = true;
    effect.sendClick = true;
    return effect;
}

}  // namespace controls
