#include "SvgFile.h"

#include <cstdio>

namespace veltrane {

namespace {

std::string colour(int pixel) {
    char hex[8];
    std::snprintf(hex, sizeof(hex), "#%06X",
                  IconSource::palette()[static_cast<std::size_t>(pixel)]);
    return hex;
}

}  // namespace

std::string svgFile(const IconImage& image) {
    const std::string size = std::to_string(image.size);
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        size + "\" height=\"" + size + "\" viewBox=\"0 0 " + size + " " + size +
        "\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < image.size; ++y) {
        for (int x = 0; x < image.size;) {
            const int pixel = image.at(x, y);
            int end = x + 1;
            while (end < image.size && image.at(end, y) == pixel) ++end;
            if (pixel != IconImage::kTransparent) {
                svg += "  <rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
                       "\" width=\"" + std::to_string(end - x) + "\" height=\"1\" fill=\"" +
                       colour(pixel) + "\"/>\n";
            }
            x = end;
        }
    }
    return svg + "</svg>\n";
}

}  // namespace veltrane
