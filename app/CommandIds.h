#pragma once
// Command ids of the main frame (the ribbon's buttons and the menus' items).

inline constexpr unsigned kCmdHelpDocument = 22802;
inline constexpr unsigned kCmdAbout = 22803;
inline constexpr unsigned kCmdExit = 22811;
inline constexpr unsigned kCmdLanguage = 22862;
// The application exit of the application menu.
inline constexpr unsigned kCmdAppExit = 57665;
