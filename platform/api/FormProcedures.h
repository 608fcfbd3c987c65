#pragma once

#include "Int16.h"

namespace veltrane {

// The window's event procedures, each named after the event that raises it; the
// arguments of a key or a button are handed over as the events carry them.
class FormProcedures {
public:
    virtual ~FormProcedures() = default;

    virtual void Form_Load() = 0;
    virtual void Form_Paint() = 0;
    virtual void List1_GotFocus() = 0;
    virtual void List1_KeyUp(Int16 KeyCode, Int16 Shift) = 0;
    virtual void List1_MouseDown(Int16 Button, Int16 Shift, float X, float Y) = 0;
    virtual void List1_MouseUp(Int16 Button, Int16 Shift, float X, float Y) = 0;
    virtual void List2_KeyUp(Int16 KeyCode, Int16 Shift) = 0;
    virtual void List2_MouseDown(Int16 Button, Int16 Shift, float X, float Y) = 0;
    virtual void List2_MouseUp(Int16 Button, Int16 Shift, float X, float Y) = 0;
    virtual void Command1_Click() = 0;
    virtual void Command2_Click() = 0;
};

}  // namespace veltrane
