#pragma once

#include <string>
#include <vector>

namespace veltrane {

enum class Alignment { Left, Centre };
// How a text box draws its edge.
enum class TextBoxBorder { Sunken, Flat, None };

// An upright font, neither underlined nor struck out.
struct FontDesign {
    std::string name{};
    float points = 8.25F;
    int weight = 400;  // 400 regular, 700 bold
};

// One control as the window makes it; positions and sizes in twips from the
// top-left corner of the client area.
struct ControlDesign {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = 0;
    FontDesign font{};
    std::string contents{};  // a caption or a text
    std::string toolTip{};
    // What a screen reader calls a control whose name is not its caption.
    std::string accessibleName{};
    // What a screen reader tells of a control besides its name, where no
    // tooltip says it.
    std::string accessibleDescription{};
    Alignment alignment = Alignment::Left;
    bool locked = false;
    TextBoxBorder border = TextBoxBorder::Sunken;
};

// The window Veltrane as designed: a fixed size, and its controls.
struct FormDesign {
    std::string caption{};
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    int outerWidth = 0;  // the client area plus the frame and title bar at design time
    bool minimizeButton = true;
    bool maximizeButton = false;
    std::vector<std::string> iconImages{};  // the window icon's PNG images, one a size
    // In the order the window makes them.
    ControlDesign Text2, List2, Text4, Command2, Command1, Text1, List1, Label6, Label5, Label4,
        Label3, Label2, Label1;
};

}  // namespace veltrane
