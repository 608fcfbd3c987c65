#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CallLog.h"
#include "FormControls.h"

namespace veltrane::testing {

inline std::string boolText(bool value) {
    return value ? "true" : "false";
}

inline std::string floatText(float value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

class FakeFont : public FontObject {
public:
    FakeFont(CallLog& log, std::string owner) : log_(log), owner_(std::move(owner)) {}
    void SetName(const std::string& value) override {
        log_.record(owner_ + ".Font.Name=" + value);
        name = value;
    }
    std::string name;

private:
    CallLog& log_;
    std::string owner_;
};

class FakeLabel : public Label {
public:
    FakeLabel(CallLog& log, std::string name)
        : font(log, name), log_(log), name_(std::move(name)) {}

    std::string Caption() override {
        log_.record(name_ + ".Caption");
        return caption;
    }
    void SetCaption(const std::string& value) override {
        log_.record(name_ + ".Caption=" + value);
        caption = value;
    }
    void SetToolTipText(const std::string& value) override {
        log_.record(name_ + ".ToolTipText=" + value);
        toolTip = value;
    }
    void SetFontBold(bool value) override {
        log_.record(name_ + ".FontBold=" + boolText(value));
        bold = value;
    }
    void SetFontItalic(bool value) override {
        log_.record(name_ + ".FontItalic=" + boolText(value));
        italic = value;
    }
    void SetFontSize(float value) override {
        log_.record(name_ + ".FontSize=" + floatText(value));
        size = value;
    }
    FontObject& Font() override { return font; }

    std::string caption;
    std::string toolTip;
    bool bold = true;
    bool italic = true;
    float size = 24.0F;
    FakeFont font;

private:
    CallLog& log_;
    std::string name_;
};

class FakeTextBox : public TextBox {
public:
    FakeTextBox(CallLog& log, std::string name)
        : font(log, name), log_(log), name_(std::move(name)) {}

    void SetText(const std::string& value) override {
        log_.record(name_ + ".Text=" + value);
        text = value;
    }
    FontObject& Font() override { return font; }

    std::string text;
    FakeFont font;

private:
    CallLog& log_;
    std::string name_;
};

// Keeps its entries sorted ignoring case, stable for names equal but for case.
class FakeListBox : public ListBox {
public:
    FakeListBox(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}

    std::string Text() override {
        log_.record(name_ + ".Text");
        return selected ? entries[*selected] : std::string();
    }
    void AddItem(const std::string& item) override {
        log_.record(name_ + ".AddItem");
        const auto place = std::upper_bound(entries.begin(), entries.end(), item, lessIgnoringCase);
        if (selected && place - entries.begin() <= static_cast<long>(*selected)) ++*selected;
        entries.insert(place, item);
    }
    void Clear() override {
        log_.record(name_ + ".Clear");
        entries.clear();
        selected.reset();
    }
    void SetSelected(Int16 index, bool value) override {
        log_.record(name_ + ".Selected(" + std::to_string(index) + ")=" + boolText(value));
        if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) {
            throw PlatformError(ErrorKind::NoSuchEntry, name_ + " has no entry");
        }
        if (value) selected = static_cast<std::size_t>(index);
    }
    std::optional<Int16> IndexOf(const std::string& text) override {
        log_.record(name_ + ".IndexOf");
        const auto found = std::find(entries.begin(), entries.end(), text);
        if (found == entries.end()) return std::nullopt;
        return static_cast<Int16>(found - entries.begin());
    }

    std::vector<std::string> entries;
    std::optional<std::size_t> selected;

private:
    static bool lessIgnoringCase(const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) {
                                                return std::tolower(static_cast<unsigned char>(x)) <
                                                       std::tolower(static_cast<unsigned char>(y));
                                            });
    }

    CallLog& log_;
    std::string name_;
};

class FakeForm : public Form {
public:
    explicit FakeForm(CallLog& log) : log_(log) {}

    void SetTop(float value) override {
        log_.record("Veltrane.Top=" + floatText(value));
        top = value;
    }
    void SetLeft(float value) override {
        log_.record("Veltrane.Left=" + floatText(value));
        left = value;
    }
    float Width() override {
        log_.record("Veltrane.Width");
        return width;
    }
    void Hide() override {
        log_.record("Veltrane.Hide");
        visible = false;
    }
    void Show() override {
        log_.record("Veltrane.Show");
        visible = true;
        if (onShow) onShow();
    }

    float top = -1;
    float left = -1;
    float width = 13380;
    bool visible = false;
    std::function<void()> onShow;  // a Paint the engine delivers inside Show

private:
    CallLog& log_;
};

// The window's controls with their design-time contents, logging into one log.
struct FakeControls {
    explicit FakeControls(CallLog& log)
        : window(log),
          Label3(log, "Label3"),
          Label4(log, "Label4"),
          Label5(log, "Label5"),
          Label6(log, "Label6"),
          Text1(log, "Text1"),
          Text2(log, "Text2"),
          Text4(log, "Text4"),
          List1(log, "List1"),
          List2(log, "List2") {
        Text2.text = "Enter some text here!\r\n";
    }

    FormControls controls() {
        return {window, Label3, Label4, Label5, Label6, Text1, Text2, Text4, List1, List2};
    }

    FakeForm window;
    FakeLabel Label3, Label4, Label5, Label6;
    FakeTextBox Text1, Text2, Text4;
    FakeListBox List1, List2;
};

}  // namespace veltrane::testing
