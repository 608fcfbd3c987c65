#pragma once

#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "EventDispatcher.h"
#include "EventEpoch.h"
#include "FormControls.h"
#include "InstalledFonts.h"
#include "ListCollation.h"
#include "Project.h"
#include "QtForm.h"
#include "QtListBox.h"
#include "Services.h"

namespace veltrane {

// Builds the start-up window from its design, hidden, with every control in
// creation order, and makes the program's logic for it. start() then runs the
// program's start-up: Load, show, and the focus to the first control in tab order.
class WindowEngine : public FormControls {
public:
    WindowEngine(const Project& project, Services& services, EventEpoch& epoch,
                 InstalledFonts& fonts);
    ~WindowEngine() override;

    void start();

    QtForm& window() { return *window_; }
    // The control's widget, for looking at it from outside; nullptr when the design lacks it.
    QWidget* widget(std::string_view name) const;

    Form& form() override { return *window_; }

protected:
    Label& label(std::string_view name) override;
    TextBox& textBox(std::string_view name) override;
    ListBox& listBox(std::string_view name) override;

private:
    void createControl(const ControlDesign& design);
    void wire(const FormProcedures& procedures);
    void orderTabs();
    void giveFirstFocus();
    void mergePendingEntries();

    const Project& project_;
    EventDispatcher dispatcher_;
    InstalledFonts& fonts_;
    ListCollation collation_;  // before the lists, which sort by it
    std::unique_ptr<QtForm> window_;
    std::map<std::string, QWidget*, std::less<>> widgets_;
    std::map<std::string, Label*, std::less<>> labels_;
    std::map<std::string, TextBox*, std::less<>> textBoxes_;
    std::map<std::string, QtListBox*, std::less<>> listBoxes_;
    std::vector<QWidget*> tabOrder_;
    FormProcedures procedures_;
    std::unique_ptr<FormProgram> program_;  // last: it refers to the controls above
};

}  // namespace veltrane
