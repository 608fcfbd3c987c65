// The default destination chosen on this machine, as lp honours it.
#include <gmock/gmock.h>

#include <cstdlib>

#include "LocalDefault.h"

namespace veltrane {
namespace {

TEST(LocalDefaultTest, TheDefaultLineOfAnLpoptionsFileNamesQueueAndInstance) {
    EXPECT_EQ(lpoptionsDefault("Dest other media=A4\nDefault office/duplex sides=two\n"),
              "office/duplex");
    EXPECT_EQ(lpoptionsDefault("default lab\n"), "lab");
    EXPECT_EQ(lpoptionsDefault("Dest office\n"), std::nullopt);
    EXPECT_EQ(lpoptionsDefault(""), std::nullopt);
}

TEST(LocalDefaultTest, LpdestComesBeforePrinterAndPrinterLpIsIgnored) {
    const char* home = std::getenv("HOME");
    ::setenv("HOME", "/nonexistent", 1);
    ::setenv("CUPS_SERVERROOT", "/nonexistent", 1);
    ::setenv("PRINTER", "lp", 1);
    ::unsetenv("LPDEST");
    EXPECT_EQ(LocalDefault::fromEnvironment().read(), std::nullopt);
    ::setenv("PRINTER", "second", 1);
    EXPECT_EQ(LocalDefault::fromEnvironment().read(), "second");
    ::setenv("LPDEST", "first", 1);
    EXPECT_EQ(LocalDefault::fromEnvironment().read(), "first");
    ::unsetenv("LPDEST");
    ::unsetenv("PRINTER");
    ::unsetenv("CUPS_SERVERROOT");
    if (home != nullptr) ::setenv("HOME", home, 1);
}

}  // namespace
}  // namespace veltrane
