#pragma once

#include <QStringList>

#include <string>
#include <vector>

#include "EventCache.h"
#include "EventEpoch.h"
#include "Screen.h"

namespace veltrane {

// The display as Qt sees it. The fonts are the installed families, each once,
// by a name a font can be set to: the foundry suffix Qt adds for families that
// several foundries make is dropped, and so are fontconfig's generic aliases.
class QtScreen : public Screen {
public:
    explicit QtScreen(const EventEpoch& epoch) : families_(epoch) {}

    float Width() override;
    Int16 FontCount() override;
    std::string Fonts(Int16 index) override;

    // The family list itself, as Fonts() hands it out.
    static std::vector<std::string> installedFamilies();
    // The names in Qt's list of families, each once, foundry suffixes dropped.
    static std::vector<std::string> familyNames(const QStringList& qtFamilies);

private:
    const std::vector<std::string>& families();

    EventCache<std::vector<std::string>> families_;
};

}  // namespace veltrane
