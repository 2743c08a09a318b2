#pragma once
// The device dialog's help link: a click opens the help task dialog over the
// link's dialog.

#include "platform/ui/HyperLink.h"

class CXTPHyperLinkEx : public ui::HyperLink {
public:
    CXTPHyperLinkEx();
    void SetHelpParent(ui::Window* parent) { m_parent = parent; }

private:
    ui::Window* m_parent = nullptr;
};
