#pragma once

#include "Form.h"
#include "Label.h"
#include "ListBox.h"
#include "TextBox.h"

namespace veltrane {

// The window and the controls its logic writes and reads, by their design names.
struct FormControls {
    Form& form;
    Label& Label3;
    Label& Label4;
    Label& Label5;
    Label& Label6;
    TextBox& Text1;
    TextBox& Text2;
    TextBox& Text4;
    ListBox& List1;
    ListBox& List2;
};

}  // namespace veltrane
