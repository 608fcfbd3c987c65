#pragma once

#include <string_view>

namespace veltrane {

class Label;
class TextBox;
class ListBox;
// The window's logic never reaches a button itself, only its Click event: this
// kind has no interface, only names.
class CommandButton;

// A control's design name together with its kind, so that the design, the
// window's logic and the tests share one constant a control: a misspelt name,
// or a name used as the wrong kind of control, does not compile.
template <typename Control>
struct ControlName {
    std::string_view text;
};

}  // namespace veltrane
