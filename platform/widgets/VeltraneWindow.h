#pragma once

#include <QPushButton>
#include <QWidget>

#include <vector>

#include "CaptionLabel.h"
#include "Form.h"
#include "FormControls.h"
#include "FormDesign.h"
#include "FormProcedures.h"
#include "InstalledFonts.h"
#include "LineTextBox.h"
#include "ListCollation.h"
#include "MultiLineTextBox.h"
#include "SortedListBox.h"

namespace veltrane {

// The program's window: fixed size, title bar with minimise and close, and its
// thirteen controls made from the design. It raises each event the design
// wires straight into its procedure, Paint on every expose (which Qt answers
// from its backing store without a paint) and every activation (a compositing
// desktop redraws an uncovered window from its own copy, with no expose). Its
// handler for an error a procedure hands on writes one line on standard error.
class VeltraneWindow : public QWidget, public Form {
    Q_OBJECT

public:
    VeltraneWindow(const FormDesign& design, InstalledFonts& fonts);

    FormControls controls();
    // Raises Load into `procedures`, shows the window and gives the first
    // control in tab order the focus.
    void start(FormProcedures& procedures);

    void SetTop(float twips) override;
    void SetLeft(float twips) override;
    float Width() override;
    void Hide() override { hide(); }
    void Show() override;
    // A redraw the program asks for itself, when the print server or a font
    // scan has brought something new: only while the window is exposed and
    // active, as its reload's Show raises and activates it, which must never
    // take the focus from another program. Otherwise the next paint the
    // window engine raises shows it.
    void requestPaint();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A control as the window makes it, with its design.
    struct Made {
        QWidget* control;
        const char* name;
        const ControlDesign* design;
    };
    std::vector<Made> made();
    template <typename Sender, typename Signal, typename... Arguments>
    void wire(Sender& sender, Signal signal, const char* name,
              void (FormProcedures::*procedure)(Arguments...));
    template <typename Procedure>
    void raiseEvent(const char* name, Procedure&& procedure);
    void orderTabs();
    void place();
    void takeBackActivation();

    const FormDesign& design_;
    FormProcedures* procedures_ = nullptr;
    QWidget* firstTabStop_ = nullptr;
    float top_ = 0;
    float left_ = 0;
    ListCollation collation_;  // before the lists, which sort by it
    MultiLineTextBox Text2;
    SortedListBox List2;
    LineTextBox Text4;
    QPushButton Command2;
    QPushButton Command1;
    LineTextBox Text1;
    SortedListBox List1;
    CaptionLabel Label6;
    CaptionLabel Label5;
    CaptionLabel Label4;
    CaptionLabel Label3;
    CaptionLabel Label2;
    CaptionLabel Label1;
};

}  // namespace veltrane
