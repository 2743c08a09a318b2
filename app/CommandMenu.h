#pragma once
// The frame's command menu. The ribbon is not built yet, so the frame offers the
// ribbon's system commands on a menu bar in its place: the application menu (the
// first pop-up of menu 200) and the system-settings tab with its help group, with
// the captions of the ribbon (language strings by the tab, group and command ids).

#include "platform/base/MenuTemplate.h"

class CZVResourceManager;

MenuTemplate BuildCommandMenu(CZVResourceManager& resources);
