// The real window and its controls, made from the design, on Qt's offscreen
// platform at 96 dots per inch.
#include <gmock/gmock.h>

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include "FakeServices.h"
#include "InstalledFonts.h"
#include "Veltrane.h"
#include "VeltraneDesign.h"
#include "VeltraneWindow.h"

namespace veltrane::testing {
namespace {

using ::testing::ElementsAre;

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        fakes.screen.fonts = {"Liberation Serif", "DejaVu Sans", "liberation mono"};
        fakes.printing.fonts = {"Liberation Sans", "AAA-Resident"};
    }

    VeltraneWindow& started() {
        window.start(logic);
        QApplication::processEvents();
        return window;
    }

    template <typename Widget = QWidget>
    Widget* widget(const char* name) {
        auto* found = window.findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    std::string caption(const char* label) { return widget<CaptionLabel>(label)->Caption(); }

    std::vector<std::string> rows(const char* list) {
        std::vector<std::string> texts;
        QAbstractItemModel* model = widget<QListView>(list)->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            texts.push_back(model->index(row, 0).data().toString().toStdString());
        }
        return texts;
    }

    FakeWindow fakes;
    InstalledFonts fonts;
    const FormDesign design = veltraneDesign();
    VeltraneWindow window{design, fonts};
    Veltrane logic{window.controls(), fakes.services};
};

TEST_F(WindowTest, EveryControlSitsAtItsPixelRectangle) {
    ASSERT_EQ(QApplication::primaryScreen()->logicalDotsPerInch(), 96);
    const std::map<std::string, QRect> expected = {
        {"Label1", {116, 4, 198, 28}},     {"Label2", {455, 4, 435, 28}},
        {"Label5", {451, 32, 435, 28}},    {"Text2", {263, 60, 357, 56}},
        {"Label6", {756, 64, 127, 51}},    {"Text1", {175, 68, 81, 33}},
        {"Text4", {628, 68, 81, 33}},      {"Label3", {3, 118, 425, 115}},
        {"Label4", {456, 118, 425, 115}},  {"Command1", {128, 237, 175, 33}},
        {"Command2", {581, 237, 175, 33}}, {"List1", {44, 276, 342, 410}},
        {"List2", {497, 276, 342, 410}}};
    for (const auto& [name, rect] : expected) {
        EXPECT_EQ(widget(name.c_str())->geometry(), rect) << name;
    }
    EXPECT_EQ(window.size(), QSize(886, 706));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size";
    EXPECT_EQ(window.children().size(), 13);
}

TEST_F(WindowTest, TheWindowHasItsCaptionIconAndTitleBarButtons) {
    EXPECT_EQ(window.windowTitle(), "Veltrane                 veltrane.example");
    const QIcon icon = window.windowIcon();
    EXPECT_THAT(icon.availableSizes(), ElementsAre(QSize(32, 32), QSize(16, 16)));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(WindowTest, DesignFontsResolveToTheirLiberationStandIns) {
    struct Expected {
        const char* control;
        const char* family;
        double points;
        bool bold;
    };
    for (const Expected& font : {Expected{"Label1", "Liberation Sans Narrow", 14.25, true},
                                 Expected{"Command2", "Liberation Sans Narrow", 14.25, true},
                                 Expected{"Text4", "Liberation Sans Narrow", 14.25, true},
                                 Expected{"Text2", "Liberation Sans", 24, false},
                                 Expected{"Label3", "Liberation Sans", 24, false},
                                 Expected{"List1", "Liberation Sans", 18, true}}) {
        const QFontInfo info(widget(font.control)->font());
        EXPECT_EQ(info.family(), font.family) << font.control;
        EXPECT_EQ(widget(font.control)->font().pointSizeF(), font.points) << font.control;
        EXPECT_EQ(info.bold(), font.bold) << font.control;
        EXPECT_FALSE(info.italic() || widget(font.control)->font().underline());
    }
    const QFontMetrics metrics(widget("Text2")->font());
    EXPECT_LT(metrics.horizontalAdvance("Enter some text here!"), 357 - 8)
        << "the sample text fits one line of Text2";
}

TEST_F(WindowTest, TabGoesThroughTheControlsInTabIndexOrder) {
    std::vector<std::string> order;
    QWidget* current = widget("List1");
    for (int i = 0; i < 8; ++i) {
        order.push_back(current->objectName().toStdString());
        do {
            current = current->nextInFocusChain();
        } while (!(current->focusPolicy() & Qt::TabFocus) || current->parent() != &window);
    }
    EXPECT_THAT(order, ElementsAre("List1", "Command1", "Command2", "List2", "Text1", "Text4",
                                   "Text2", "List1"));
}

TEST_F(WindowTest, ControlsCarryTheirDesignContentsAndSettings) {
    EXPECT_EQ(caption("Label1"), "Number of Screen Fonts");
    EXPECT_EQ(caption("Label2"), "Number of Fonts on the Default Printer/Fax Device:");
    EXPECT_EQ(caption("Label5"), "");
    auto* copy1 = widget<QPushButton>("Command1");
    EXPECT_EQ(copy1->text(), "&Copy to Clipboard");
    EXPECT_EQ(copy1->toolTip(),
              " You may copy the screen font name to the clipboard by clicking here. ");
    EXPECT_EQ(widget<QPushButton>("Command2")->toolTip(),
              " You may copy the printer font name to the clipboard by clicking here. ");
    auto* count = widget<QLineEdit>("Text1");
    EXPECT_TRUE(count->isReadOnly());
    EXPECT_EQ(count->alignment(), Qt::AlignCenter);
    EXPECT_FALSE(count->hasFrame());
    auto* sample = widget<QTextEdit>("Text2");
    EXPECT_EQ(sample->toPlainText(), "Enter some text here!\n");
    EXPECT_EQ(sample->document()->blockCount(), 2) << "a second, empty line";
    EXPECT_FALSE(sample->acceptRichText());
    EXPECT_FALSE(sample->isReadOnly());
    EXPECT_EQ(sample->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(sample->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(sample->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(widget<QListView>("List1")->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(WindowTest, TheStartUpFillsTheSortedListsAndTheSamples) {
    started();
    EXPECT_THAT(rows("List1"), ElementsAre("DejaVu Sans", "liberation mono", "Liberation Serif"));
    EXPECT_THAT(rows("List2"), ElementsAre("AAA-Resident", "Liberation Sans"));
    EXPECT_EQ(caption("Label3"), "DejaVu Sans");
    EXPECT_EQ(caption("Label4"), "AAA-Resident");
    EXPECT_EQ(QFontInfo(widget("Label3")->font()).family(), "DejaVu Sans");
    EXPECT_EQ(widget("Label3")->font().pointSizeF(), 24);
    EXPECT_EQ(widget("Text2")->font().family(), "DejaVu Sans");
    EXPECT_EQ(widget<QLineEdit>("Text1")->text(), "3");
    EXPECT_EQ(widget<QLineEdit>("Text4")->text(), "2");
    EXPECT_EQ(caption("Label5"), "Office");
    EXPECT_EQ(caption("Label6"), "Number of Devices: 1");
    EXPECT_EQ(widget("Label6")->toolTip(),
              " Check your printer and fax folder for the 1 devices. ");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), widget("List1"));
    EXPECT_EQ(fakes.log.count("List1.Text"), 0) << "the fakes log services only";
}

TEST_F(WindowTest, ListsSortIgnoringCaseAndKeepCaseTwinsSideBySide) {
    ListBox& list = window.controls().List1;
    for (const char* name : {"beta", "Alpha", "BETA", "alpha"}) list.AddItem(name);
    list.SetSelected(1, true);
    EXPECT_THAT(rows("List1"), ElementsAre("Alpha", "alpha", "beta", "BETA"));
    EXPECT_EQ(list.Text(), "alpha");
    list.AddItem("Aardvark");
    EXPECT_EQ(list.Text(), "alpha") << "the selection stays on its entry";
    EXPECT_THROW(list.SetSelected(5, true), PlatformError);
    list.Clear();
    EXPECT_EQ(list.Text(), "");
    EXPECT_THROW(list.SetSelected(0, true), PlatformError);
}

TEST_F(WindowTest, AUserCannotLeaveAListWithoutASelectedEntry) {
    started();
    auto* list1 = widget<QListView>("List1");
    const QPoint first = list1->visualRect(list1->model()->index(0, 0)).center();
    const QPoint belowTheLast = {first.x(), list1->viewport()->height() - 5};
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, Qt::ControlModifier, first);
    QTest::keyClick(list1, Qt::Key_Space, Qt::ControlModifier);
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, belowTheLast);
    EXPECT_EQ(window.controls().List1.Text(), "DejaVu Sans");
    EXPECT_EQ(caption("Label3"), "DejaVu Sans");
}

QImage rendered(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    widget->render(&image);
    return image;
}

int inkWidth(const QImage& image) {
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right - left + 1;
}

// What a tooltip shows: Qt draws one that looks like markup as rich text.
QString shownToolTip(const QWidget* widget) {
    const QString tip = widget->toolTip();
    if (!Qt::mightBeRichText(tip)) return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText().replace(QChar::LineSeparator, u'\n');
}

// Names are shown exactly as they are: an ampersand is no access key in a
// label, and markup is characters, in the labels and in Label5's tooltip.
TEST_F(WindowTest, LabelsAndTooltipsShowNamesAsTheyAreAmpersandsAndMarkupIncluded) {
    fakes.printing.device = "Büro_&_Co";
    fakes.printing.fonts = {"AT&T-Gothic"};
    started();
    Label& label5 = window.controls().Label5;
    auto* view5 = widget("Label5");
    const int withAmpersand = inkWidth(rendered(view5));
    label5.SetCaption("Büro__Co");
    EXPECT_GT(withAmpersand, inkWidth(rendered(view5)) + 5) << "the ampersand is drawn";
    auto* view4 = widget("Label4");
    EXPECT_EQ(caption("Label4"), "AT&T-Gothic");
    const int gothic = inkWidth(rendered(view4));
    window.controls().Label4.SetCaption("ATT-Gothic");
    EXPECT_GT(gothic, inkWidth(rendered(view4)) + 5);
    label5.SetCaption("a&&b");
    EXPECT_EQ(label5.Caption(), "a&&b");

    label5.SetCaption("x");
    const int plain = inkWidth(rendered(view5));
    fakes.printing.device = "<b>x</b>";
    window.hide();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(caption("Label5"), "<b>x</b>");
    EXPECT_GT(inkWidth(rendered(view5)), 3 * plain) << "the tags are shown, not obeyed";
    EXPECT_EQ(shownToolTip(view5), "<b>x</b>");
    EXPECT_EQ(view5->accessibleDescription(), "<b>x</b>");
    label5.SetToolTipText("<i>two</i>\nlines");
    EXPECT_EQ(shownToolTip(view5), "<i>two</i>\nlines");

    const std::string notUtf8 = "Lab\xE9\xFF";
    label5.SetCaption(notUtf8);
    EXPECT_EQ(label5.Caption(), notUtf8) << "read back byte for byte, so it equals itself";
}

TEST_F(WindowTest, TheSampleIsWrittenInTheSelectedFont) {
    started();
    auto* view = widget("Label3");
    Label& label = window.controls().Label3;
    label.Font().SetName("Liberation Serif");
    EXPECT_EQ(QFontInfo(view->font()).family(), "Liberation Serif");
    EXPECT_EQ(view->font().pointSizeF(), 24) << "only the name changes";
    CaptionLabel inDefaultFont(nullptr, {}, fonts);
    inDefaultFont.setGeometry(view->geometry());
    QFont defaultFont = QApplication::font();
    defaultFont.setPointSizeF(24);
    inDefaultFont.setFont(defaultFont);
    inDefaultFont.SetCaption(label.Caption());
    EXPECT_NE(rendered(view), rendered(&inDefaultFont));

    label.Font().SetName("No Such Font Anywhere");
    EXPECT_FALSE(QFontInfo(view->font()).family().isEmpty());
    EXPECT_GT(inkWidth(rendered(view)), 0) << "the nearest font, never a blank label";
    label.Font().SetName("");
    EXPECT_GT(inkWidth(rendered(view)), 0);
}

// Printers name resident fonts that are no installed family: the sample shows
// such a name in the family Qt itself would fall back to, pixel for pixel.
TEST_F(WindowTest, AFontThatIsNotInstalledIsDrawnAsQtWouldDrawIt) {
    started();
    auto* view = widget("Label4");
    Label& label = window.controls().Label4;
    CaptionLabel asQtDrawsIt(nullptr, {}, fonts);
    asQtDrawsIt.setGeometry(view->geometry());
    for (const char* name : {"Courier", "Helvetica-Narrow", "Times-Roman", "AvantGarde-Book",
                             "ZapfChancery-MediumItalic", "Symbol", "ZapfDingbats",
                             "NewCenturySchlbk-Roman", "AAA-Resident", "Arial Narrow"}) {
        label.Font().SetName(name);
        label.SetCaption(name);
        QFont font = view->font();
        font.setFamily(name);  // Qt left to fall back on its own
        asQtDrawsIt.setFont(font);
        asQtDrawsIt.SetCaption(name);
        EXPECT_EQ(rendered(view), rendered(&asQtDrawsIt))
            << name << ": " << QFontInfo(view->font()).family().toStdString() << " against "
            << QFontInfo(asQtDrawsIt.font()).family().toStdString();
    }
}

TEST_F(WindowTest, MouseAndKeysInTheListsShowTheirSamples) {
    started();
    auto* list1 = widget<QListView>("List1");
    const QRect third = list1->visualRect(list1->model()->index(2, 0));
    QTest::mousePress(list1->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(caption("Label3"), "Liberation Serif") << "the press already shows the entry";
    QTest::mouseRelease(list1->viewport(), Qt::LeftButton, {}, third.center());
    QTest::keyClick(list1, Qt::Key_Up);
    EXPECT_EQ(caption("Label3"), "liberation mono");
    EXPECT_EQ(widget("Text2")->font().family(), "liberation mono");

    auto* list2 = widget<QListView>("List2");
    QTest::keyClick(list2, Qt::Key_Down);
    EXPECT_EQ(caption("Label4"), "Liberation Sans");
    EXPECT_EQ(widget("Text2")->font().family(), "Liberation Sans");
}

TEST_F(WindowTest, AHeldKeyGivesOneKeyUpAtItsRealRelease) {
    started();
    auto* list1 = widget<QListView>("List1");
    window.controls().Label3.SetCaption("untouched");
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(list1, &repeat);
    EXPECT_EQ(caption("Label3"), "untouched");
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list1, &release);
    EXPECT_EQ(caption("Label3"), "DejaVu Sans");
}

TEST_F(WindowTest, GotFocusComesWithAMoveOfTheFocusNotWithComingBackToTheWindow) {
    started();
    auto* list1 = widget("List1");
    widget("List2")->setFocus(Qt::TabFocusReason);
    window.controls().Label4.SetCaption("untouched");
    QFocusEvent comingBack(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(list1, &comingBack);
    EXPECT_EQ(caption("Label4"), "untouched");
    list1->setFocus(Qt::BacktabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(caption("Label4"), "AAA-Resident") << "GotFocus refreshes both samples";
}

TEST_F(WindowTest, EachCopyButtonCopiesItsOwnList) {
    started();
    widget<QPushButton>("Command2")->click();
    EXPECT_EQ(fakes.clipboard.text, "AAA-Resident");
    widget<QPushButton>("Command1")->click();
    EXPECT_EQ(fakes.clipboard.text, "DejaVu Sans");
}

TEST_F(WindowTest, AnErrorAnEventHandsOnIsReportedInOneLineAndDropped) {
    started();
    fakes.log.failAt("Clipboard.Clear");
    ::testing::internal::CaptureStderr();
    widget<QPushButton>("Command2")->click();
    const std::string report = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(report, "veltrane: Command2_Click: injected failure at Clipboard.Clear\n");
    widget<QPushButton>("Command2")->click();
    EXPECT_EQ(fakes.clipboard.text, "AAA-Resident") << "the program goes on";
}

TEST_F(WindowTest, EveryExposeOfTheWindowRaisesPaint) {
    started();
    const int before = fakes.log.count("Printers.Any");
    window.hide();
    window.show();
    QApplication::processEvents();
    EXPECT_GT(fakes.log.count("Printers.Any"), before);
}

}  // namespace
}  // namespace veltrane::testing
