#pragma once

#include <functional>
#include <memory>
#include <string>

#include "FormControls.h"
#include "FormDesign.h"
#include "FormProcedures.h"
#include "Services.h"

namespace veltrane {

// What the entry point hands the runtime: the window's design and how to make
// its logic once its controls exist.
struct Project {
    std::string name;
    std::string version;
    std::string desktopEntry;  // the desktop entry's name, without ".desktop"
    FormDesign design;
    std::function<std::unique_ptr<FormProcedures>(const FormControls&, Services&)> createLogic;
};

}  // namespace veltrane
