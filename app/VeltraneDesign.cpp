#include "VeltraneDesign.h"

#include "VeltraneControls.h"

namespace veltrane {

namespace {

// The caption keeps its 17 blanks between the name and the domain.
constexpr const char* kCaption = "Veltrane                 veltrane.example";

const FontDesign kHeadingFont{.name = "Arial Narrow", .points = 14.25F, .weight = 700};
const FontDesign kSampleFont{.name = "MS Sans Serif", .points = 24.0F, .weight = 400};
const FontDesign kListFont{.name = "MS Sans Serif", .points = 18.0F, .weight = 700};

}  // namespace

// Every label and text box is centred; labels keep their size and wrap a long
// caption at word boundaries.
FormDesign veltraneDesign() {
    using namespace names;
    return {
        .name = "Veltrane",
        .caption = kCaption,
        .clientWidth = 13290,
        .clientHeight = 10590,
        .outerWidth = 13380,
        .outerHeight = 11070,
        .fixedSingleBorder = true,
        .minimizeButton = true,
        .maximizeButton = false,
        .autoRedraw = false,
        .linkTopic = "Form1",
        .icon = ":/veltrane.ico",
        .controls =
            {
                control(Text2, {.left = 3952,
                                .top = 900,
                                .width = 5355,
                                .height = 840,
                                .tabIndex = 12,
                                .font = kSampleFont,
                                .contents = "Enter some text here!\r\n",
                                .alignment = Alignment::Centre,
                                .multiLine = true,
                                .border = TextBoxBorder::None}),
                control(List2, {.left = 7455,
                                .top = 4140,
                                .width = 5130,
                                .height = 6150,
                                .tabIndex = 3,
                                .font = kListFont,
                                .sorted = true}),
                control(Text4, {.left = 9420,
                                .top = 1020,
                                .width = 1215,
                                .height = 495,
                                .tabIndex = 6,
                                .font = kHeadingFont,
                                .alignment = Alignment::Centre,
                                .locked = true,
                                .border = TextBoxBorder::Flat}),
                control(Command2, {.left = 8715,
                                   .top = 3555,
                                   .width = 2625,
                                   .height = 495,
                                   .tabIndex = 2,
                                   .font = kHeadingFont,
                                   .contents = "C&opy to Clipboard",
                                   .toolTip = " You may copy the printer font name to the "
                                              "clipboard by clicking here. ",
                                   .alignment = Alignment::Centre}),
                control(Command1, {.left = 1920,
                                   .top = 3555,
                                   .width = 2625,
                                   .height = 495,
                                   .tabIndex = 1,
                                   .font = kHeadingFont,
                                   .contents = "&Copy to Clipboard",
                                   .toolTip = " You may copy the screen font name to the "
                                              "clipboard by clicking here. ",
                                   .alignment = Alignment::Centre}),
                control(Text1, {.left = 2625,
                                .top = 1020,
                                .width = 1215,
                                .height = 495,
                                .tabIndex = 4,
                                .font = kHeadingFont,
                                .alignment = Alignment::Centre,
                                .locked = true,
                                .border = TextBoxBorder::Flat}),
                control(List1, {.left = 660,
                                .top = 4140,
                                .width = 5130,
                                .height = 6150,
                                .tabIndex = 0,
                                .font = kListFont,
                                .sorted = true}),
                control(Label6, {.left = 11340,
                                 .top = 960,
                                 .width = 1905,
                                 .height = 765,
                                 .tabIndex = 11,
                                 .font = kHeadingFont,
                                 .alignment = Alignment::Centre,
                                 .wordWrap = true}),
                control(Label5, {.left = 6765,
                                 .top = 480,
                                 .width = 6525,
                                 .height = 420,
                                 .tabIndex = 10,
                                 .font = kHeadingFont,
                                 .alignment = Alignment::Centre}),
                control(Label4, {.left = 6840,
                                 .top = 1770,
                                 .width = 6375,
                                 .height = 1725,
                                 .tabIndex = 9,
                                 .font = kSampleFont,
                                 .alignment = Alignment::Centre}),
                control(Label3, {.left = 45,
                                 .top = 1770,
                                 .width = 6375,
                                 .height = 1725,
                                 .tabIndex = 8,
                                 .font = kSampleFont,
                                 .alignment = Alignment::Centre}),
                control(Label2, {.left = 6825,
                                 .top = 60,
                                 .width = 6525,
                                 .height = 420,
                                 .tabIndex = 7,
                                 .font = kHeadingFont,
                                 .contents = "Number of Fonts on the Default Printer/Fax Device:",
                                 .alignment = Alignment::Centre}),
                control(Label1, {.left = 1740,
                                 .top = 60,
                                 .width = 2970,
                                 .height = 420,
                                 .tabIndex = 5,
                                 .font = kHeadingFont,
                                 .contents = "Number of Screen Fonts",
                                 .alignment = Alignment::Centre}),
            },
    };
}

}  // namespace veltrane
