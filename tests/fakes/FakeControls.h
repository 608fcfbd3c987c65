#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CallLog.h"
#include "FormControls.h"
#include "VeltraneControls.h"

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

// The window's controls with their design-time contents.
class FakeControls : public FormControls {
public:
    explicit FakeControls(CallLog& log) : window(log) {
        using namespace names;
        for (const auto name : {Label1, Label2, Label3, Label4, Label5, Label6}) {
            labels.emplace(name.text, std::make_unique<FakeLabel>(log, std::string(name.text)));
        }
        for (const auto name : {Text1, Text2, Text4}) {
            textBoxes.emplace(name.text,
                              std::make_unique<FakeTextBox>(log, std::string(name.text)));
        }
        fake(Text2).text = "Enter some text here!\r\n";
        for (const auto name : {List1, List2}) {
            lists.emplace(name.text, std::make_unique<FakeListBox>(log, std::string(name.text)));
        }
    }

    Form& form() override { return window; }

    FakeLabel& fake(ControlName<Label> name) { return named(labels, name.text); }
    FakeTextBox& fake(ControlName<TextBox> name) { return named(textBoxes, name.text); }
    FakeListBox& fake(ControlName<ListBox> name) { return named(lists, name.text); }

    FakeForm window;

protected:
    Label& label(std::string_view name) override { return named(labels, name); }
    TextBox& textBox(std::string_view name) override { return named(textBoxes, name); }
    ListBox& listBox(std::string_view name) override { return named(lists, name); }

private:
    template <typename Controls>
    static typename Controls::mapped_type::element_type& named(Controls& controls,
                                                               std::string_view name) {
        const auto found = controls.find(name);
        if (found == controls.end()) {
            throw PlatformError(ErrorKind::NoSuchEntry, "no control named " + std::string(name));
        }
        return *found->second;
    }

    std::map<std::string, std::unique_ptr<FakeLabel>, std::less<>> labels;
    std::map<std::string, std::unique_ptr<FakeTextBox>, std::less<>> textBoxes;
    std::map<std::string, std::unique_ptr<FakeListBox>, std::less<>> lists;
};

}  // namespace veltrane::testing
