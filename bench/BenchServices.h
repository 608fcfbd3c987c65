#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "Services.h"

namespace veltrane::bench {

// n distinct font-like names in random order, as fontconfig and PPDs hand them out.
inline std::vector<std::string> randomNames(int n, unsigned seed) {
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) names.push_back("Family " + std::to_string(i * 7919 % 100003));
    std::shuffle(names.begin(), names.end(), std::mt19937(seed));
    return names;
}

// A PPD's resident fonts: "PREFIX-Resident-0" and on.
inline std::vector<std::string> residentFonts(const std::string& prefix, int n) {
    std::vector<std::string> fonts;
    for (int i = 0; i < n; ++i) fonts.push_back(prefix + "-Resident-" + std::to_string(i));
    return fonts;
}

// Services that answer from memory at once, so that what is measured is the
// window's own work on the names.
class MemoryScreen : public Screen {
public:
    explicit MemoryScreen(std::vector<std::string> fonts) : fonts_(std::move(fonts)) {}
    float Width() override { return 19200; }
    Int16 FontCount() override { return static_cast<Int16>(fonts_.size()); }
    std::string Fonts(Int16 index) override { return fonts_[static_cast<std::size_t>(index)]; }
    bool RefreshFonts() override { return false; }

private:
    std::vector<std::string> fonts_;
};

class MemoryPrinter : public Printer, public Printers {
public:
    explicit MemoryPrinter(std::vector<std::string> fonts) : fonts_(std::move(fonts)) {}
    std::int64_t Count() override { return 1; }
    bool Any() override { return true; }
    DefaultChoice Default() override { return {"Memory", ""}; }
    std::int64_t FontCount() override { return static_cast<std::int64_t>(fonts_.size()); }
    std::string Fonts(Int16& index) override { return fonts_[static_cast<std::size_t>(index)]; }

private:
    std::vector<std::string> fonts_;
};

class NullClipboard : public Clipboard {
public:
    void Clear() override {}
    void SetText(const std::string&) override {}
};

}  // namespace veltrane::bench
