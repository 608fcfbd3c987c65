#include "IconSource.h"

#include <sstream>
#include <stdexcept>

namespace veltrane {

namespace {

int pixelOf(char c) {
    if (c == '.') return IconImage::kTransparent;
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::invalid_argument(std::string("not a pixel: ") + c);
}

}  // namespace

const std::array<std::uint32_t, 16>& IconSource::palette() {
    static const std::array<std::uint32_t, 16> kPalette = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return kPalette;
}

IconSource IconSource::parse(const std::string& text) {
    IconSource source;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("image ", 0) == 0) {
            source.images_.push_back({std::stoi(line.substr(6)), {}});
            continue;
        }
        if (source.images_.empty()) throw std::invalid_argument("pixel rows before an image line");
        IconImage& image = source.images_.back();
        if (static_cast<int>(line.size()) != image.size) {
            throw std::invalid_argument("a row of " + std::to_string(line.size()) +
                                        " pixels in an image of " + std::to_string(image.size));
        }
        for (char c : line) image.pixels.push_back(pixelOf(c));
    }
    for (const IconImage& image : source.images_) {
        if (image.pixels.size() != static_cast<std::size_t>(image.size * image.size)) {
            throw std::invalid_argument("image " + std::to_string(image.size) + " is not square");
        }
    }
    return source;
}

}  // namespace veltrane
