// The window as the program ships it: built from the same project the entry
// point hands over, with the real screen, printing and clipboard services.
#include <gmock/gmock.h>

#include <QApplication>
#include <QListView>

#include <set>

#include "DesktopServices.h"
#include "FontconfigFamilies.h"
#include "PrivateCupsd.h"
#include "VeltraneControls.h"
#include "VeltraneProject.h"
#include "WindowEngine.h"

namespace veltrane::testing {
namespace {

using ::testing::Contains;

std::vector<std::string> rows(QWidget* list) {
    std::vector<std::string> texts;
    const QAbstractItemModel* model = qobject_cast<QListView*>(list)->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        texts.push_back(model->index(row, 0).data().toString().toStdString());
    }
    return texts;
}

TEST(ShippedWindowTest, ShowsFontconfigsFamiliesAndTheDefaultQueuesFonts) {
    PrivateCupsd server;
    server.addQueue("office", testPpd({"AAA-Office", "Courier"}));
    server.setDefault("office");
    server.useInThisProcess();

    DesktopServices desktop;
    const Project project = veltraneProject();
    WindowEngine engine(project, desktop.services(), desktop.epoch());
    engine.start();
    QApplication::processEvents();

    const std::vector<std::string> screenFonts = rows(engine.widget(names::List1.text));
    const FontconfigFamilies families = fontconfigFamilies();
    for (const std::string& name : screenFonts) EXPECT_THAT(families.names, Contains(name));
    const std::set<std::string> shown(screenFonts.begin(), screenFonts.end());
    EXPECT_EQ(shown.size(), screenFonts.size()) << "each family once";
    for (const std::string& first : families.firstNames) EXPECT_THAT(shown, Contains(first));

    const std::vector<std::string> printerFonts = rows(engine.widget(names::List2.text));
    ASSERT_FALSE(printerFonts.empty());
    EXPECT_EQ(printerFonts.front(), "AAA-Office");
    EXPECT_THAT(printerFonts, Contains("Courier"));
}

}  // namespace
}  // namespace veltrane::testing
