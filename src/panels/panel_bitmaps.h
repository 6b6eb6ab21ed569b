#pragma once

#include <array>
#include <string_view>

namespace pw::panel_bitmaps {

// The bitmaps of the lower panels' buttons, in the "res" folder of the program directory. The art
// tool draws exactly these names, so the panel never asks for a file that is not there. The keys
// and the first-octave marker are painted by the panel at its own size.

inline constexpr std::string_view Folder = "res";
inline constexpr std::string_view Extension = ".bmp";

// Buttons with three pictures: under the mouse, elsewhere, and when the action is impossible.
// "stop" is the task status panel's finish button.
inline constexpr std::array<std::string_view, 9> StateButtons {"pause", "play",  "enter", "left", "up",
                                                               "down",  "right", "undo",  "stop"};
inline constexpr std::string_view On = "_on";
inline constexpr std::string_view Off = "_off";
inline constexpr std::string_view Disabled = "_disable";

// Switches with two pictures: "down" while the switch or shift is active.
inline constexpr std::array<std::string_view, 3> Switches {"btn_letter", "btn_minus", "btn_plus"};
inline constexpr std::string_view Down = "_down";
inline constexpr std::string_view Up = "_up";

inline constexpr int ButtonSize = 32;
inline constexpr int MarkerHeight = 9;

// The panel's face; the bitmaps are drawn on it, since BMP files carry no transparency.
inline constexpr unsigned PanelBackground = 0xE9EDF2;

} // namespace pw::panel_bitmaps
