#include "WindowEngine.h"

#include <QPushButton>

#include <algorithm>

#include "AccessibleKinds.h"
#include "DesignFont.h"
#include "PlatformError.h"
#include "QtDpi.h"
#include "QtLabel.h"
#include "QtLineBox.h"
#include "QtMemoBox.h"
#include "Twips.h"
#include "Wiring.h"

namespace veltrane {

namespace {

QWidget* makeWidget(const ControlDesign& design, QWidget* window, EventDispatcher& dispatcher,
                    InstalledFonts& fonts, ListCollation& collation) {
    switch (design.kind) {
        case ControlKind::Label: {
            auto* label = new QtLabel(window, fonts);
            label->SetCaption(design.contents);
            return label;
        }
        case ControlKind::TextBox:
            if (design.multiLine) return new QtMemoBox(window, design, fonts);
            return new QtLineBox(window, design, fonts);
        case ControlKind::ListBox:
            return new QtListBox(window, dispatcher, collation);
        case ControlKind::CommandButton:
            return new QPushButton(QString::fromStdString(design.contents), window);
    }
    return nullptr;
}

template <typename Control>
Control& find(const std::map<std::string, Control*, std::less<>>& controls, std::string_view name,
              const char* kind) {
    const auto found = controls.find(name);
    if (found == controls.end()) {
        throw PlatformError(ErrorKind::NoSuchEntry, "the window has no " + std::string(kind) +
                                                        " named " + std::string(name));
    }
    return *found->second;
}

}  // namespace

WindowEngine::WindowEngine(const Project& project, Services& services, EventEpoch& epoch,
                           InstalledFonts& fonts)
    : project_(project), dispatcher_(epoch, [this] { mergePendingEntries(); }), fonts_(fonts) {
    installAccessibleKinds();
    InstalledFonts::useInstalledDefaultFamily();
    window_ = std::make_unique<QtForm>(project.design, dispatcher_);
    for (const ControlDesign& control : project.design.controls) createControl(control);
    orderTabs();
    program_ = project.createProgram(*this, services);
    wire(program_->procedures());
}

WindowEngine::~WindowEngine() = default;

void WindowEngine::createControl(const ControlDesign& design) {
    QWidget* widget = makeWidget(design, window_.get(), dispatcher_, fonts_, collation_);
    widget->setObjectName(QString::fromStdString(design.name));
    const double dpi = logicalDpi();
    widget->setGeometry(twipsToPixels(design.left, dpi), twipsToPixels(design.top, dpi),
                        twipsToPixels(design.width, dpi), twipsToPixels(design.height, dpi));
    widget->setFont(designFont(design.font, fonts_));
    if (!design.toolTip.empty()) setToolTip(*widget, QString::fromStdString(design.toolTip));
    if (!design.accessibleName.empty()) {
        widget->setAccessibleName(QString::fromStdString(design.accessibleName));
    }
    if (!design.accessibleDescription.empty()) {
        widget->setAccessibleDescription(QString::fromStdString(design.accessibleDescription));
    }
    widgets_[design.name] = widget;
    if (auto* label = dynamic_cast<QtLabel*>(widget)) labels_[design.name] = label;
    if (auto* box = dynamic_cast<TextBox*>(widget)) textBoxes_[design.name] = box;
    if (auto* list = dynamic_cast<QtListBox*>(widget)) listBoxes_[design.name] = list;
}

void WindowEngine::orderTabs() {
    std::vector<const ControlDesign*> byTabIndex;
    for (const ControlDesign& control : project_.design.controls) byTabIndex.push_back(&control);
    std::stable_sort(byTabIndex.begin(), byTabIndex.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    for (const ControlDesign* control : byTabIndex) {
        QWidget* widget = widgets_.at(control->name);
        if (widget->focusPolicy() & Qt::TabFocus) tabOrder_.push_back(widget);
    }
    for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
        QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
    }
}

void WindowEngine::wire(const FormProcedures& procedures) {
    checkWiring(project_.design, procedures);
    procedures_ = procedures;
    window_->wirePaint(procedures_.Paint);
    for (const auto& [name, control] : procedures_.controls) {
        QWidget* widget = this->widget(name);
        if (auto* list = dynamic_cast<QtListBox*>(widget)) list->wire(name, control);
        if (auto* button = dynamic_cast<QPushButton*>(widget); button && control.Click) {
            const std::string event = name + "_Click";
            QObject::connect(
                button, &QPushButton::clicked, window_.get(),
                [this, event, click = control.Click] { dispatcher_.raise(event, click); });
        }
    }
}

void WindowEngine::start() {
    dispatcher_.raise("Form_Load", procedures_.Load);
    window_->Show();
    giveFirstFocus();
}

void WindowEngine::giveFirstFocus() {
    if (tabOrder_.empty()) return;
    QWidget* first = tabOrder_.front();
    if (auto* list = dynamic_cast<QtListBox*>(first)) {
        list->takeFirstFocus();
    } else {
        first->setFocus(Qt::OtherFocusReason);
    }
}

void WindowEngine::mergePendingEntries() {
    for (auto& [name, list] : listBoxes_) list->mergePending();
}

QWidget* WindowEngine::widget(std::string_view name) const {
    const auto found = widgets_.find(name);
    return found == widgets_.end() ? nullptr : found->second;
}

Label& WindowEngine::label(std::string_view name) {
    return find(labels_, name, "label");
}

TextBox& WindowEngine::textBox(std::string_view name) {
    return find(textBoxes_, name, "text box");
}

ListBox& WindowEngine::listBox(std::string_view name) {
    return find(listBoxes_, name, "list box");
}

}  // namespace veltrane
