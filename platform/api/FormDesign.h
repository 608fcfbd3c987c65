#pragma once

#include <string>
#include <type_traits>
#include <vector>

#include "ControlName.h"

namespace veltrane {

enum class ControlKind { Label, TextBox, ListBox, CommandButton };
enum class Alignment { Left, Centre };
// How a text box draws its edge.
enum class TextBoxBorder { Sunken, Flat, None };

template <typename Control>
constexpr ControlKind kindOf() {
    if constexpr (std::is_same_v<Control, Label>) return ControlKind::Label;
    if constexpr (std::is_same_v<Control, TextBox>) return ControlKind::TextBox;
    if constexpr (std::is_same_v<Control, ListBox>) return ControlKind::ListBox;
    if constexpr (std::is_same_v<Control, CommandButton>) return ControlKind::CommandButton;
}

struct FontDesign {
    std::string name{};
    float points = 8.25F;
    int weight = 400;  // 400 regular, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 0;
};

// One control as the window engine creates it; positions and sizes in twips
// from the top-left corner of the client area.
struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::string name{};
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
    bool autoSize = false;
    bool wordWrap = false;
    bool locked = false;
    bool multiLine = false;
    bool scrollBars = false;
    bool sorted = false;
    TextBoxBorder border = TextBoxBorder::Sunken;
};

// The design of the control `name`: its kind and name from the name, the rest
// from `settings`.
template <typename Control>
ControlDesign control(ControlName<Control> name, ControlDesign settings) {
    settings.kind = kindOf<Control>();
    settings.name = std::string(name.text);
    return settings;
}

struct FormDesign {
    std::string name{};
    std::string caption{};
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    int outerWidth = 0;  // the client area plus the frame and title bar at design time
    int outerHeight = 0;
    bool fixedSingleBorder = true;
    bool minimizeButton = true;
    bool maximizeButton = false;
    bool autoRedraw = false;
    std::string linkTopic{};
    std::vector<std::string> iconImages{};  // the window icon's PNG images, one a size
    std::vector<ControlDesign> controls{};  // in creation order
};

}  // namespace veltrane
