#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakeControls.h"
#include "FakeServices.h"
#include "Veltrane.h"

namespace veltrane::testing {

// The window's logic on fake controls and services that share one call log.
class VeltraneFixture : public ::testing::Test {
protected:
    VeltraneFixture() {
        fakes.screen.fonts = {"Serif", "arial", "Courier"};
        fakes.printing.fonts = {"Zapf", "AAA-Resident", "helvetica"};
    }

    Veltrane& window() {
        if (!window_) window_ = std::make_unique<Veltrane>(controls.controls(), fakes.services);
        return *window_;
    }

    // Form_Load as at start-up, then a fresh log.
    Veltrane& started() {
        window().Form_Load();
        fakes.log.calls.clear();
        return window();
    }

    const std::vector<std::string>& calls() const { return fakes.log.calls; }

    FakeWindow fakes;
    FakeControls controls{fakes.log};

private:
    std::unique_ptr<Veltrane> window_;
};

}  // namespace veltrane::testing
