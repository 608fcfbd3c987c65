#pragma once

#include <QMetaObject>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

#include "Screen.h"

namespace veltrane {

// The display as Qt sees it. The fonts are the installed families, each once,
// by a name a font can be set to: the foundry suffix Qt adds for families that
// several foundries make is dropped, and so are fontconfig's generic aliases.
class QtScreen : public Screen {
public:
    QtScreen() = default;
    ~QtScreen() override;
    QtScreen(const QtScreen&) = delete;
    QtScreen& operator=(const QtScreen&) = delete;

    float Width() override;
    Int16 FontCount() override;
    std::string Fonts(Int16 index) override;

    // The family list itself, as Fonts() hands it out.
    static std::vector<std::string> installedFamilies();
    // The names in Qt's list of families, each once, foundry suffixes dropped.
    static std::vector<std::string> familyNames(const QStringList& qtFamilies);

private:
    const std::vector<std::string>& families();

    // Qt's font database stays as it is while the program runs, but for fonts
    // the program itself adds, which Qt reports: the list is made once, and
    // again after such a report, not at every event.
    std::optional<std::vector<std::string>> families_;
    QMetaObject::Connection databaseChanged_;
};

}  // namespace veltrane
