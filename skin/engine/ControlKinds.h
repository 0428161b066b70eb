#pragma once
// Control kinds: the code a skinned control gives its skin data, which chooses the skin section when the
// control names none and decides whether the control shows the mouse-over state.

#include <optional>
#include <string_view>

// The section of the kind, or none: then the control's class name is its section.
std::optional<std::string_view> DefaultSectionOfKind(int kind);
// Panels, tool bars, tab sheets, gauges and the like never show the mouse-over state.
bool KindShowsHover(int kind);

// Kinds the painting code tests for.
namespace ControlKind {
constexpr int Edit = 97;
constexpr int Button = 93;
constexpr int Gauge = 161;
constexpr int FrameProvider = 224;
} // namespace ControlKind
