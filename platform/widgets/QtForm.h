#pragma once

#include <QWidget>

#include <functional>

#include "EventDispatcher.h"
#include "Form.h"
#include "FormDesign.h"

namespace veltrane {

// The program's window: fixed size, title bar with minimise and close. It raises
// Paint every time its surface must be redrawn: on every expose of its window,
// which Qt answers from its own backing store without a paint of the widget,
// and on every activation, as a compositing desktop redraws an uncovered window
// from its own copy and sends no expose at all.
class QtForm : public QWidget, public Form {
    Q_OBJECT

public:
    QtForm(const FormDesign& design, EventDispatcher& dispatcher);

    void SetTop(float twips) override;
    void SetLeft(float twips) override;
    float Width() override;
    void Hide() override;
    void Show() override;

    void wirePaint(std::function<void()> paint) { paint_ = std::move(paint); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void raisePaint();

    const FormDesign& design_;
    EventDispatcher& dispatcher_;
    std::function<void()> paint_;
    float top_ = 0;
    float left_ = 0;
};

}  // namespace veltrane
