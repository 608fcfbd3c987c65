// The main of the tests on a real X server: a private Xvfb for the whole run,
// with the tests' QApplication on it. Listing the tests needs neither.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

#include "PrivateXvfb.h"
#include "XvfbSession.h"

namespace veltrane::testing {

namespace {
std::string display;
}

const std::string& testDisplay() {
    return display;
}

}  // namespace veltrane::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    veltrane::testing::PrivateXvfb xvfb;
    veltrane::testing::display = xvfb.display();
    ::setenv("DISPLAY", xvfb.display().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
