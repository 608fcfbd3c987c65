#pragma once

#include <string>

#include "Form.h"
#include "Label.h"
#include "ListBox.h"
#include "TextBox.h"

namespace veltrane {

// The window and its controls, reached by their design names. Asking for a name
// the design lacks, or for a control of another kind, throws NoSuchEntry.
class FormControls {
public:
    virtual ~FormControls() = default;

    virtual Form& form() = 0;
    virtual Label& label(const std::string& name) = 0;
    virtual TextBox& textBox(const std::string& name) = 0;
    virtual ListBox& listBox(const std::string& name) = 0;
};

}  // namespace veltrane
