#include "Wiring.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "PlatformError.h"

namespace veltrane {

namespace {

// The events the engine raises for each kind of control: labels and text boxes
// raise none into the program.
bool raises(ControlKind kind, std::string_view event) {
    switch (kind) {
        case ControlKind::ListBox:
            return event == "GotFocus" || event == "KeyUp" || event == "MouseDown" ||
                   event == "MouseUp";
        case ControlKind::CommandButton:
            return event == "Click";
        case ControlKind::Label:
        case ControlKind::TextBox:
            return false;
    }
    return false;
}

std::vector<std::string_view> eventsHandled(const ControlProcedures& procedures) {
    std::vector<std::string_view> events;
    const std::pair<bool, std::string_view> all[] = {{bool(procedures.GotFocus), "GotFocus"},
                                                     {bool(procedures.KeyUp), "KeyUp"},
                                                     {bool(procedures.MouseDown), "MouseDown"},
                                                     {bool(procedures.MouseUp), "MouseUp"},
                                                     {bool(procedures.Click), "Click"}};
    for (const auto& [handled, event] : all) {
        if (handled) events.push_back(event);
    }
    return events;
}

[[noreturn]] void refuse(const std::string& procedure, const std::string& why) {
    throw PlatformError(ErrorKind::Wiring, procedure + ": " + why);
}

}  // namespace

void checkWiring(const FormDesign& design, const FormProcedures& procedures) {
    for (const auto& [name, control] : procedures.controls) {
        const auto found =
            std::find_if(design.controls.begin(), design.controls.end(),
                         [&name = name](const ControlDesign& c) { return c.name == name; });
        for (const std::string_view event : eventsHandled(control)) {
            const std::string procedure = name + "_" + std::string(event);
            if (found == design.controls.end()) {
                refuse(procedure, "the window " + design.name + " has no control named " + name);
            }
            if (!raises(found->kind, event)) {
                refuse(procedure, "this kind of control raises no " + std::string(event));
            }
        }
    }
}

}  // namespace veltrane
