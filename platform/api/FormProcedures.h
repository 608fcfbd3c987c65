#pragma once

#include <functional>
#include <map>
#include <string>

#include "ControlName.h"
#include "Int16.h"

namespace veltrane {

// The event procedures a control raises into; an empty one is an event the
// program does not handle, which the engine then never raises.
struct ControlProcedures {
    std::function<void()> GotFocus;
    std::function<void(Int16 keyCode, Int16 shift)> KeyUp;
    std::function<void(Int16 button, Int16 shift, float x, float y)> MouseDown;
    std::function<void(Int16 button, Int16 shift, float x, float y)> MouseUp;
    std::function<void()> Click;
};

struct FormProcedures {
    std::function<void()> Load;
    std::function<void()> Paint;
    std::map<std::string, ControlProcedures, std::less<>> controls;  // by control name

    template <typename Control>
    ControlProcedures& of(ControlName<Control> name) {
        return controls[std::string(name.text)];
    }
};

}  // namespace veltrane
