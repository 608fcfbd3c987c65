#pragma once

#include <string_view>

#include "ControlName.h"
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

    Label& operator[](ControlName<Label> name) { return label(name.text); }
    TextBox& operator[](ControlName<TextBox> name) { return textBox(name.text); }
    ListBox& operator[](ControlName<ListBox> name) { return listBox(name.text); }

protected:
    virtual Label& label(std::string_view name) = 0;
    virtual TextBox& textBox(std::string_view name) = 0;
    virtual ListBox& listBox(std::string_view name) = 0;
};

}  // namespace veltrane
