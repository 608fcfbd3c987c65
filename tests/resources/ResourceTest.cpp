// The program's icon and version block: the ICO file and PNG icons the build
// draws from the text source, and the Windows resource script compiled by windres.
#include <gmock/gmock.h>

#include <QImage>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include "IcoFile.h"
#include "IconSource.h"
#include "Process.h"
#include "TempDir.h"

namespace veltrane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

unsigned little(const std::string& bytes, std::size_t at, int size) {
    unsigned value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

const IconSource& source() {
    static const IconSource parsed =
        IconSource::parse(contents(VELTRANE_SOURCE_DIR "/resources/veltrane-icon.txt"));
    return parsed;
}

TEST(IconTest, TheIcoFileHoldsOneGroupOfTwo4BitImagesOfTheDesignedSizes) {
    const std::string ico = contents(VELTRANE_BINARY_DIR "/resources/veltrane.ico");
    ASSERT_EQ(ico, icoFile(source())) << "the build's file is the source's";
    EXPECT_EQ(little(ico, 2, 2), 1U) << "an icon";
    ASSERT_EQ(little(ico, 4, 2), 2U);
    struct Entry {
        unsigned size;
        unsigned bytes;
    };
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t at = 6 + 16 * i;
        EXPECT_EQ(little(ico, at + 2, 1), 16U) << "colours";
        EXPECT_EQ(little(ico, at + 6, 2), 4U) << "bits per pixel";
        entries.push_back({little(ico, at, 1), little(ico, at + 8, 4)});
        const unsigned offset = little(ico, at + 12, 4);
        EXPECT_EQ(little(ico, offset + 14, 2), 4U);
        EXPECT_EQ(little(ico, offset + 40 + 4 * 7, 4), 0xC0C0C0U) << "the standard palette's grey";
    }
    EXPECT_EQ(entries[0].size, 32U);
    EXPECT_EQ(entries[0].bytes, 744U);
    EXPECT_EQ(entries[1].size, 16U);
    EXPECT_EQ(entries[1].bytes, 296U);
}

TEST(IconTest, ThePngIconsShowTheSamePixelRowsWithTransparency) {
    const QImage png(VELTRANE_BINARY_DIR "/resources/veltrane-32.png");
    const IconImage& drawn = source().images().front();
    ASSERT_EQ(png.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int pixel = drawn.at(x, y);
            if (pixel == IconImage::kTransparent) {
                EXPECT_EQ(qAlpha(png.pixel(x, y)), 0);
            } else {
                EXPECT_EQ(png.pixel(x, y) & 0xFFFFFFU,
                          IconSource::palette()[static_cast<std::size_t>(pixel)]);
            }
        }
    }
    EXPECT_EQ(QImage(VELTRANE_BINARY_DIR "/resources/veltrane-256.png").size(), QSize(256, 256));
}

TEST(IconTest, TheScalableIconIsTheSamePicture) {
    const std::string svg = contents(VELTRANE_BINARY_DIR "/resources/veltrane.svg");
    const IconImage& drawn = source().images().front();
    EXPECT_THAT(svg, HasSubstr("viewBox=\"0 0 32 32\""));
    std::vector<int> painted(drawn.pixels.size(), IconImage::kTransparent);
    const std::regex rect(
        R"re(<rect x="(\d+)" y="(\d+)" width="(\d+)" height="1" fill="#([0-9A-F]{6})"/>)re");
    for (auto match = std::sregex_iterator(svg.begin(), svg.end(), rect);
         match != std::sregex_iterator(); ++match) {
        const int x = std::stoi((*match)[1]);
        const int y = std::stoi((*match)[2]);
        const auto rgb = static_cast<std::uint32_t>(std::stoul((*match)[4], nullptr, 16));
        const auto& palette = IconSource::palette();
        const auto index = std::find(palette.begin(), palette.end(), rgb) - palette.begin();
        for (int i = 0; i < std::stoi((*match)[3]); ++i) {
            painted[static_cast<std::size_t>(y * drawn.size + x + i)] = static_cast<int>(index);
        }
    }
    EXPECT_EQ(painted, drawn.pixels);
}

TEST(IconTest, ABrokenSourceIsRefused) {
    EXPECT_THROW(IconSource::parse("image 2\n00\n0\n"), std::invalid_argument);
    EXPECT_THROW(IconSource::parse("image 2\n0G\n00\n"), std::invalid_argument);
    EXPECT_THROW(IconSource::parse("00\n"), std::invalid_argument);
}

// The resource script compiled as a Windows build would, then read back.
std::string compiledResources() {
    TempDir folder("veltrane-res");
    const std::string res = folder / "veltrane.res";
    const std::string windres = "x86_64-w64-mingw32-windres";
    EXPECT_EQ(
        Process::run({windres, "--preprocessor=cpp", "-I", VELTRANE_BINARY_DIR "/resources", "-i",
                      VELTRANE_SOURCE_DIR "/resources/veltrane.rc", "-O", "res", "-o", res}),
        0);
    return Process::capture({windres, "-i", res, "-O", "rc"});
}

TEST(ResourceScriptTest, CompilesToTheIconGroupAndVersionBlock) {
    const std::string rc = compiledResources();
    EXPECT_THAT(rc, HasSubstr("LANGUAGE 9, 1"));
    EXPECT_THAT(rc, HasSubstr("1 14 /* RT_GROUP_ICON */"));
    EXPECT_THAT(rc, HasSubstr("\"\\040\\040\\020\\000\", 1, 4, 0x2e8L, 1"));
    EXPECT_THAT(rc, HasSubstr("\"\\020\\020\\020\\000\", 1, 4, 0x128L, 2"));
    for (const char* line :
         {" FILEVERSION 1, 0, 0, 0\n", " PRODUCTVERSION 1, 0, 0, 0\n", " FILEOS 0x4\n",
          " FILETYPE 0x1\n", "BLOCK \"040904B0\"", "VALUE \"Translation\", 0x409, 1200"}) {
        EXPECT_THAT(rc, HasSubstr(line));
    }
    EXPECT_EQ(rc.find("FILEFLAGS "), std::string::npos) << "no flags";

    const std::regex value(R"re(VALUE "(\w+)", "([^"]*)")re");
    std::vector<std::string> strings;
    for (auto match = std::sregex_iterator(rc.begin(), rc.end(), value);
         match != std::sregex_iterator(); ++match) {
        const std::string name = (*match)[1];
        strings.push_back(name == "CompanyName" ? name : name + "=" + std::string((*match)[2]));
    }
    EXPECT_THAT(strings, ElementsAre("CompanyName", "ProductName=Veltrane", "FileVersion=1.00",
                                     "ProductVersion=1.00", "InternalName=Veltrane",
                                     "OriginalFilename=Veltrane.exe"));
}

}  // namespace
}  // namespace veltrane::testing
