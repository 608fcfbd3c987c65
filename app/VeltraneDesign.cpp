#include "VeltraneDesign.h"

namespace veltrane {

namespace {

// The caption keeps its 17 blanks between the name and the domain.
constexpr const char* kCaption = "Veltrane                 veltrane.example";

const FontDesign kHeadingFont{.name = "Arial Narrow", .points = 14.25F, .weight = 700};
const FontDesign kSampleFont{.name = "MS Sans Serif", .points = 24.0F, .weight = 400};
const FontDesign kListFont{.name = "MS Sans Serif", .points = 18.0F, .weight = 700};

// What the twins of each pair share: the count boxes, the font lists and the
// copy buttons; each has its left edge, tab index, contents and names of its own.
ControlDesign countBox(int left, int tabIndex, const char* accessibleName) {
    return {.left = left,
            .top = 1020,
            .width = 1215,
            .height = 495,
            .tabIndex = tabIndex,
            .font = kHeadingFont,
            .accessibleName = accessibleName,
            .alignment = Alignment::Centre,
            .locked = true,
            .border = TextBoxBorder::Flat};
}

ControlDesign fontList(int left, int tabIndex, const char* accessibleName) {
    return {.left = left,
            .top = 4140,
            .width = 5130,
            .height = 6150,
            .tabIndex = tabIndex,
            .font = kListFont,
            .accessibleName = accessibleName};
}

ControlDesign copyButton(int left, int tabIndex, const char* caption, const char* toolTip,
                         const char* accessibleName) {
    return {.left = left,
            .top = 3555,
            .width = 2625,
            .height = 495,
            .tabIndex = tabIndex,
            .font = kHeadingFont,
            .contents = caption,
            .toolTip = toolTip,
            .accessibleName = accessibleName,
            .alignment = Alignment::Centre};
}

// Every label is centred, keeps its size and wraps a long caption at word
// boundaries.
ControlDesign label(int left, int top, int width, int height, int tabIndex, const FontDesign& font,
                    const char* caption = "") {
    return {.left = left,
            .top = top,
            .width = width,
            .height = height,
            .tabIndex = tabIndex,
            .font = font,
            .contents = caption,
            .alignment = Alignment::Centre};
}

}  // namespace

FormDesign veltraneDesign() {
    FormDesign design{
        .caption = kCaption,
        .clientWidth = 13290,
        .clientHeight = 10590,
        .outerWidth = 13380,
        .minimizeButton = true,
        .maximizeButton = false,
        .iconImages = {":/veltrane-32.png", ":/veltrane-16.png"},
        .Text2 = {.left = 3952,
                  .top = 900,
                  .width = 5355,
                  .height = 840,
                  .tabIndex = 12,
                  .font = kSampleFont,
                  .contents = "Enter some text here!\r\n",
                  .accessibleName = "Sample text",
                  .alignment = Alignment::Centre,
                  .border = TextBoxBorder::None},
        .List2 = fontList(7455, 3, "Printer fonts"),
        .Text4 = countBox(9420, 6, "Number of Fonts on the Default Printer/Fax Device"),
        .Command2 =
            copyButton(8715, 2, "C&opy to Clipboard",
                       " You may copy the printer font name to the clipboard by clicking here. ",
                       "Copy to Clipboard (printer font)"),
        .Command1 =
            copyButton(1920, 1, "&Copy to Clipboard",
                       " You may copy the screen font name to the clipboard by clicking here. ",
                       "Copy to Clipboard (screen font)"),
        .Text1 = countBox(2625, 4, "Number of Screen Fonts"),
        .List1 = fontList(660, 0, "Screen fonts"),
        .Label6 = label(11340, 960, 1905, 765, 11, kHeadingFont),
        .Label5 = label(6765, 480, 6525, 420, 10, kHeadingFont),
        .Label4 = label(6840, 1770, 6375, 1725, 9, kSampleFont),
        .Label3 = label(45, 1770, 6375, 1725, 8, kSampleFont),
        .Label2 = label(6825, 60, 6525, 420, 7, kHeadingFont,
                        "Number of Fonts on the Default Printer/Fax Device:"),
        .Label1 = label(1740, 60, 2970, 420, 5, kHeadingFont, "Number of Screen Fonts"),
    };
    design.Label4.accessibleDescription = "Sample of the selected printer font";
    design.Label3.accessibleDescription = "Sample of the selected screen font";
    return design;
}

}  // namespace veltrane
