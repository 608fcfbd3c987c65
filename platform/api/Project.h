#pragma once

#include <functional>
#include <memory>
#include <string>

#include "FormControls.h"
#include "FormDesign.h"
#include "FormProcedures.h"
#include "Services.h"

namespace veltrane {

// The window's logic as the engine holds it for the window's whole life.
class FormProgram {
public:
    virtual ~FormProgram() = default;

    virtual FormProcedures procedures() = 0;
};

// What the entry point hands the runtime: the start-up window's design and how
// to make its logic once its controls exist.
struct Project {
    std::string name;
    std::string version;
    std::string desktopEntry;  // the desktop entry's name, without ".desktop"
    FormDesign design;
    std::function<std::unique_ptr<FormProgram>(FormControls&, Services&)> createProgram;
};

}  // namespace veltrane
