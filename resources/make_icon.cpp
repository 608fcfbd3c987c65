// Makes the program's icons from their text source: the ICO file, and the PNG
// and SVG icons of the desktop's icon theme.
#include <QImage>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

#include "IcoFile.h"
#include "IconSource.h"
#include "SvgFile.h"

using veltrane::IconImage;
using veltrane::IconSource;

namespace {

QImage pngImage(const IconImage& image, int scale) {
    QImage png(image.size * scale, image.size * scale, QImage::Format_ARGB32);
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const int pixel = image.at(x / scale, y / scale);
            png.setPixel(
                x, y,
                pixel == IconImage::kTransparent
                    ? 0U
                    : 0xFF000000U | IconSource::palette()[static_cast<std::size_t>(pixel)]);
        }
    }
    return png;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_icon SOURCE.txt OUTPUT-FOLDER\n";
        return 2;
    }
    std::ifstream input(argv[1]);
    std::ostringstream text;
    text << input.rdbuf();
    const std::string folder = argv[2];
    try {
        const IconSource source = IconSource::parse(text.str());
        std::ofstream(folder + "/veltrane.ico", std::ios::binary) << veltrane::icoFile(source);
        // The scalable icon is the largest drawn image.
        const IconImage& largest = *std::max_element(
            source.images().begin(), source.images().end(),
            [](const IconImage& a, const IconImage& b) { return a.size < b.size; });
        std::ofstream(folder + "/veltrane.svg") << veltrane::svgFile(largest);
        // Theme sizes by whole-number scaling of the nearest drawn image.
        for (const auto& [size, drawn] :
             {std::pair{16, 16}, {32, 32}, {48, 16}, {64, 32}, {128, 32}, {256, 32}}) {
            for (const IconImage& image : source.images()) {
                if (image.size != drawn) continue;
                const std::string path = folder + "/veltrane-" + std::to_string(size) + ".png";
                if (!pngImage(image, size / drawn).save(QString::fromStdString(path))) {
                    std::cerr << "make_icon: cannot write " << path << "\n";
                    return 1;
                }
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "make_icon: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
