#include "VeltraneDesign.h"

#include <string>
#include <utility>

#include "VeltraneControls.h"

namespace veltrane {

using namespace names;

namespace {

// The caption keeps its 17 blanks between the name and the domain.
constexpr const char* kCaption = "Veltrane                 veltrane.example";

const FontDesign kHeadingFont{.name = "Arial Narrow", .points = 14.25F, .weight = 700};
const FontDesign kSampleFont{.name = "MS Sans Serif", .points = 24.0F, .weight = 400};
const FontDesign kListFont{.name = "MS Sans Serif", .points = 18.0F, .weight = 700};

// What the twins of each pair share: the count boxes, the font lists and the copy buttons.
const ControlDesign kCountBox{.top = 1020,
                              .width = 1215,
                              .height = 495,
                              .font = kHeadingFont,
                              .alignment = Alignment::Centre,
                              .locked = true,
                              .border = TextBoxBorder::Flat};
const ControlDesign kFontList{
    .top = 4140, .width = 5130, .height = 6150, .font = kListFont, .sorted = true};
const ControlDesign kCopyButton{.top = 3555,
                                .width = 2625,
                                .height = 495,
                                .font = kHeadingFont,
                                .alignment = Alignment::Centre};

// What one of a pair has of its own.
struct Own {
    int left = 0;
    int tabIndex = 0;
    std::string contents{};
    std::string toolTip{};
    std::string accessibleName{};
};

template <typename Control>
ControlDesign twin(ControlName<Control> name, ControlDesign shared, const Own& own) {
    shared.left = own.left;
    shared.tabIndex = own.tabIndex;
    shared.contents = own.contents;
    shared.toolTip = own.toolTip;
    shared.accessibleName = own.accessibleName;
    return control(name, std::move(shared));
}

}  // namespace

// Every label and text box is centred; labels keep their size and wrap a long
// caption at word boundaries.
FormDesign veltraneDesign() {
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
        .iconImages = {":/veltrane-32.png", ":/veltrane-16.png"},
        .controls =
            {
                control(Text2, {.left = 3952,
                                .top = 900,
                                .width = 5355,
                                .height = 840,
                                .tabIndex = 12,
                                .font = kSampleFont,
                                .contents = "Enter some text here!\r\n",
                                .accessibleName = "Sample text",
                                .alignment = Alignment::Centre,
                                .multiLine = true,
                                .border = TextBoxBorder::None}),
                twin(List2, kFontList,
                     {.left = 7455, .tabIndex = 3, .accessibleName = "Printer fonts"}),
                twin(Text4, kCountBox,
                     {.left = 9420,
                      .tabIndex = 6,
                      .accessibleName = "Number of Fonts on the Default Printer/Fax Device"}),
                twin(Command2, kCopyButton,
                     {.left = 8715,
                      .tabIndex = 2,
                      .contents = "C&opy to Clipboard",
                      .toolTip =
                          " You may copy the printer font name to the clipboard by clicking here. ",
                      .accessibleName = "Copy to Clipboard (printer font)"}),
                twin(Command1, kCopyButton,
                     {.left = 1920,
                      .tabIndex = 1,
                      .contents = "&Copy to Clipboard",
                      .toolTip =
                          " You may copy the screen font name to the clipboard by clicking here. ",
                      .accessibleName = "Copy to Clipboard (screen font)"}),
                twin(Text1, kCountBox,
                     {.left = 2625, .tabIndex = 4, .accessibleName = "Number of Screen Fonts"}),
                twin(List1, kFontList,
                     {.left = 660, .tabIndex = 0, .accessibleName = "Screen fonts"}),
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
                                 .accessibleDescription = "Sample of the selected printer font",
                                 .alignment = Alignment::Centre}),
                control(Label3, {.left = 45,
                                 .top = 1770,
                                 .width = 6375,
                                 .height = 1725,
                                 .tabIndex = 8,
                                 .font = kSampleFont,
                                 .accessibleDescription = "Sample of the selected screen font",
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
