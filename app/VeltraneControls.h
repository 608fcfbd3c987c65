#pragma once

#include "ControlName.h"

// The window's thirteen controls by name and kind: the design, the window's
// logic and the tests all name a control through these.
namespace veltrane::names {

inline constexpr ControlName<Label> Label1{"Label1"};
inline constexpr ControlName<Label> Label2{"Label2"};
inline constexpr ControlName<Label> Label3{"Label3"};
inline constexpr ControlName<Label> Label4{"Label4"};
inline constexpr ControlName<Label> Label5{"Label5"};
inline constexpr ControlName<Label> Label6{"Label6"};
inline constexpr ControlName<TextBox> Text1{"Text1"};
inline constexpr ControlName<TextBox> Text2{"Text2"};
inline constexpr ControlName<TextBox> Text4{"Text4"};
inline constexpr ControlName<ListBox> List1{"List1"};
inline constexpr ControlName<ListBox> List2{"List2"};
inline constexpr ControlName<CommandButton> Command1{"Command1"};
inline constexpr ControlName<CommandButton> Command2{"Command2"};

}  // namespace veltrane::names
