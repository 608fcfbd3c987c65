#pragma once

#include <memory>

#include "Veltrane.h"
#include "VeltraneControls.h"
#include "VeltraneProject.h"
#include "WindowEngine.h"

namespace veltrane::bench {

// The shipped window on the given services, with its logic at hand.
class VeltraneUnderTest {
public:
    VeltraneUnderTest(Services& services, EventEpoch& epoch, InstalledFonts& fonts)
        : project_(veltraneProject()) {
        auto create = project_.createProgram;
        project_.createProgram = [this, create](FormControls& controls, Services& with) {
            auto program = create(controls, with);
            logic_ = static_cast<Veltrane*>(program.get());
            return program;
        };
        engine_ = std::make_unique<WindowEngine>(project_, services, epoch, fonts);
    }

    WindowEngine& engine() { return *engine_; }
    Veltrane& logic() { return *logic_; }

    void clearLists() {
        (*engine_)[names::List1].Clear();
        (*engine_)[names::List2].Clear();
    }

private:
    Project project_;
    Veltrane* logic_ = nullptr;
    std::unique_ptr<WindowEngine> engine_;
};

}  // namespace veltrane::bench
