#include "VeltraneWindow.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <iostream>

#include "Twips.h"
#include "WidgetDesign.h"

namespace veltrane {

VeltraneWindow::VeltraneWindow(const FormDesign& design, InstalledFonts& fonts)
    : QWidget(nullptr, titleBarFlags(design)),
      design_(design),
      Text2(this, design.Text2, fonts),
      List2(this, collation_),
      Text4(this, design.Text4, fonts),
      Command2(QString::fromStdString(design.Command2.contents), this),
      Command1(QString::fromStdString(design.Command1.contents), this),
      Text1(this, design.Text1, fonts),
      List1(this, collation_),
      Label6(this, design.Label6, fonts),
      Label5(this, design.Label5, fonts),
      Label4(this, design.Label4, fonts),
      Label3(this, design.Label3, fonts),
      Label2(this, design.Label2, fonts),
      Label1(this, design.Label1, fonts) {
    setObjectName(QStringLiteral("Veltrane"));
    setWindowTitle(QString::fromStdString(design.caption));
    setWindowIcon(iconOf(design.iconImages));
    const double dpi = logicalDpi();
    setFixedSize(twipsToPixels(design.clientWidth, dpi), twipsToPixels(design.clientHeight, dpi));
    // Not created here: Qt places a window moved before it exists by its frame,
    // title bar included, once the window manager has framed it; a created
    // window whose frame is not yet known would be placed by its client area.
    for (const Made& control : made()) {
        control.control->setObjectName(QLatin1String(control.name));
        applyDesign(*control.control, *control.design, fonts);
    }
    orderTabs();
    wire(List1, &SortedListBox::focusMovedIn, "List1_GotFocus", &FormProcedures::List1_GotFocus);
    wire(List1, &SortedListBox::keyReleased, "List1_KeyUp", &FormProcedures::List1_KeyUp);
    wire(List1, &SortedListBox::mousePressed, "List1_MouseDown", &FormProcedures::List1_MouseDown);
    wire(List1, &SortedListBox::mouseReleased, "List1_MouseUp", &FormProcedures::List1_MouseUp);
    wire(List2, &SortedListBox::keyReleased, "List2_KeyUp", &FormProcedures::List2_KeyUp);
    wire(List2, &SortedListBox::mousePressed, "List2_MouseDown", &FormProcedures::List2_MouseDown);
    wire(List2, &SortedListBox::mouseReleased, "List2_MouseUp", &FormProcedures::List2_MouseUp);
    wire(Command1, &QPushButton::clicked, "Command1_Click", &FormProcedures::Command1_Click);
    wire(Command2, &QPushButton::clicked, "Command2_Click", &FormProcedures::Command2_Click);
}

// In the order the window makes them.
std::vector<VeltraneWindow::Made> VeltraneWindow::made() {
    return {{&Text2, "Text2", &design_.Text2},          {&List2, "List2", &design_.List2},
            {&Text4, "Text4", &design_.Text4},          {&Command2, "Command2", &design_.Command2},
            {&Command1, "Command1", &design_.Command1}, {&Text1, "Text1", &design_.Text1},
            {&List1, "List1", &design_.List1},          {&Label6, "Label6", &design_.Label6},
            {&Label5, "Label5", &design_.Label5},       {&Label4, "Label4", &design_.Label4},
            {&Label3, "Label3", &design_.Label3},       {&Label2, "Label2", &design_.Label2},
            {&Label1, "Label1", &design_.Label1}};
}

FormControls VeltraneWindow::controls() {
    return {*this, Label3, Label4, Label5, Label6, Text1, Text2, Text4, List1, List2};
}

// An event, straight to its procedure, with the arguments the procedure takes.
template <typename Sender, typename Signal, typename... Arguments>
void VeltraneWindow::wire(Sender& sender, Signal signal, const char* name,
                          void (FormProcedures::*procedure)(Arguments...)) {
    connect(&sender, signal, this, [this, name, procedure](Arguments... arguments) {
        raiseEvent(name,
                   [&](FormProcedures& procedures) { (procedures.*procedure)(arguments...); });
    });
}

// The lists show what an event added once it has ended.
template <typename Procedure>
void VeltraneWindow::raiseEvent(const char* name, Procedure&& procedure) {
    if (procedures_ == nullptr) return;
    try {
        std::forward<Procedure>(procedure)(*procedures_);
    } catch (const std::exception& error) {
        std::cerr << "veltrane: " << name << ": " << error.what() << std::endl;
    }
    List1.mergePending();
    List2.mergePending();
}

// Tab and Shift+Tab go through the controls that take the focus, by their
// design's tab index.
void VeltraneWindow::orderTabs() {
    std::vector<Made> stops = made();
    std::erase_if(stops,
                  [](const Made& made) { return !(made.control->focusPolicy() & Qt::TabFocus); });
    std::ranges::stable_sort(stops, {}, [](const Made& made) { return made.design->tabIndex; });
    for (std::size_t i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1].control, stops[i].control);
    firstTabStop_ = stops.empty() ? nullptr : stops.front().control;
}

// The first control in tab order takes the focus as the window opens; a list
// raises its GotFocus itself.
void VeltraneWindow::start(FormProcedures& procedures) {
    procedures_ = &procedures;
    raiseEvent("Form_Load", std::mem_fn(&FormProcedures::Form_Load));
    Show();
    if (auto* list = qobject_cast<SortedListBox*>(firstTabStop_)) {
        list->takeFirstFocus();
    } else if (firstTabStop_ != nullptr) {
        firstTabStop_->setFocus(Qt::OtherFocusReason);
    }
}

void VeltraneWindow::SetTop(float twips) {
    top_ = twips;
    place();
}

void VeltraneWindow::SetLeft(float twips) {
    left_ = twips;
    place();
}

void VeltraneWindow::place() {
    const double dpi = logicalDpi();
    move(twipsToPixels(left_, dpi), twipsToPixels(top_, dpi));
}

float VeltraneWindow::Width() {
    // Until the window manager has told the frame's size, the design's outer
    // width is the best account of it.
    const QRect frame = frameGeometry();
    if (frame.size() == geometry().size()) return static_cast<float>(design_.outerWidth);
    return static_cast<float>(pixelsToTwips(frame.width(), logicalDpi()));
}

void VeltraneWindow::Show() {
    show();
    raise();
    activateWindow();
    QMetaObject::invokeMethod(this, &VeltraneWindow::takeBackActivation, Qt::QueuedConnection);
}

// Hiding the active window deactivates its widgets; when the window manager
// gives the focus straight back, Qt sees no change of focus and would leave a
// window that has the keyboard looking, and counting itself, inactive. Done
// once the reload has ended, so that its activation's Form_Paint follows it.
void VeltraneWindow::takeBackActivation() {
    if (QGuiApplication::focusWindow() == windowHandle() && !isActiveWindow()) {
        QApplication::setActiveWindow(this);
    }
}

void VeltraneWindow::requestPaint() {
    if (isActiveWindow() && windowHandle() != nullptr && windowHandle()->isExposed()) {
        raiseEvent("Form_Paint", std::mem_fn(&FormProcedures::Form_Paint));
    }
}

bool VeltraneWindow::event(QEvent* event) {
    // Shown means created, and the first expose is still to come.
    if (event->type() == QEvent::Show) windowHandle()->installEventFilter(this);
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        raiseEvent("Form_Paint", std::mem_fn(&FormProcedures::Form_Paint));
    }
    return handled;
}

bool VeltraneWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        raiseEvent("Form_Paint", std::mem_fn(&FormProcedures::Form_Paint));
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace veltrane
