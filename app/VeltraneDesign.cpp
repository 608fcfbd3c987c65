#include "VeltraneDesign.h"

namespace veltrane {

namespace {

// The caption keeps its 17 blanks between the name and the domain.
constexpr const char* kCaption = "Veltrane                 veltrane.example";

const FontDesign kHeadingFont{"Arial Narrow", 14.25F, 700};
const FontDesign kSampleFont{"MS Sans Serif", 24.0F, 400};
const FontDesign kListFont{"MS Sans Serif", 18.0F, 700};

ControlDesign control(ControlKind kind, const char* name, int left, int top, int width, int height,
                      int tabIndex, const FontDesign& font, const char* contents) {
    ControlDesign control;
    control.kind = kind;
    control.name = name;
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    control.tabIndex = tabIndex;
    control.font = font;
    control.contents = contents;
    control.alignment = Alignment::Centre;
    return control;
}

// Every label is centred, fixed in size and wraps a long caption at word boundaries.
ControlDesign label(const char* name, int left, int top, int width, int height, int tabIndex,
                    const FontDesign& font, const char* caption) {
    return control(ControlKind::Label, name, left, top, width, height, tabIndex, font, caption);
}

// Text1 and Text4: read-only counts with a flat border.
ControlDesign countBox(const char* name, int left, int tabIndex) {
    ControlDesign box =
        control(ControlKind::TextBox, name, left, 1020, 1215, 495, tabIndex, kHeadingFont, "");
    box.locked = true;
    box.border = TextBoxBorder::Flat;
    return box;
}

ControlDesign sampleBox() {
    ControlDesign box = control(ControlKind::TextBox, "Text2", 3952, 900, 5355, 840, 12,
                                kSampleFont, "Enter some text here!\r\n");
    box.multiLine = true;
    box.border = TextBoxBorder::None;
    return box;
}

ControlDesign copyButton(const char* name, int left, int tabIndex, const char* caption,
                         const char* toolTip) {
    ControlDesign button = control(ControlKind::CommandButton, name, left, 3555, 2625, 495,
                                   tabIndex, kHeadingFont, caption);
    button.toolTip = toolTip;
    return button;
}

ControlDesign fontList(const char* name, int left, int tabIndex) {
    ControlDesign list =
        control(ControlKind::ListBox, name, left, 4140, 5130, 6150, tabIndex, kListFont, "");
    list.alignment = Alignment::Left;
    list.sorted = true;
    return list;
}

}  // namespace

FormDesign veltraneDesign() {
    FormDesign design;
    design.name = "Veltrane";
    design.caption = kCaption;
    design.clientWidth = 13290;
    design.clientHeight = 10590;
    design.outerWidth = 13380;
    design.outerHeight = 11070;
    design.fixedSingleBorder = true;
    design.minimizeButton = true;
    design.maximizeButton = false;
    design.autoRedraw = false;
    design.linkTopic = "Form1";
    design.icon = ":/veltrane.ico";

    ControlDesign label6 = label("Label6", 11340, 960, 1905, 765, 11, kHeadingFont, "");
    label6.wordWrap = true;
    design.controls = {
        sampleBox(),
        fontList("List2", 7455, 3),
        countBox("Text4", 9420, 6),
        copyButton("Command2", 8715, 2, "C&opy to Clipboard",
                   " You may copy the printer font name to the clipboard by clicking here. "),
        copyButton("Command1", 1920, 1, "&Copy to Clipboard",
                   " You may copy the screen font name to the clipboard by clicking here. "),
        countBox("Text1", 2625, 4),
        fontList("List1", 660, 0),
        label6,
        label("Label5", 6765, 480, 6525, 420, 10, kHeadingFont, ""),
        label("Label4", 6840, 1770, 6375, 1725, 9, kSampleFont, ""),
        label("Label3", 45, 1770, 6375, 1725, 8, kSampleFont, ""),
        label("Label2", 6825, 60, 6525, 420, 7, kHeadingFont,
              "Number of Fonts on the Default Printer/Fax Device:"),
        label("Label1", 1740, 60, 2970, 420, 5, kHeadingFont, "Number of Screen Fonts"),
    };
    return design;
}

}  // namespace veltrane
