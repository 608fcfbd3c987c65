#include "IcoFile.h"

namespace veltrane {

namespace {

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, unsigned value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

unsigned rowBytes(int bits) {
    return static_cast<unsigned>((bits + 31) / 32 * 4);
}

// A BITMAPINFOHEADER, the palette, the 4-bit colour rows and the 1-bit mask rows,
// both bottom row first.
std::string bitmap(const IconImage& image) {
    const unsigned colourRow = rowBytes(image.size * 4);
    const unsigned maskRow = rowBytes(image.size);
    const auto size = static_cast<unsigned>(image.size);
    std::string out;
    put32(out, 40);
    put32(out, size);
    put32(out, size * 2);  // colour and mask
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, (colourRow + maskRow) * size);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (std::uint32_t rgb : IconSource::palette()) put32(out, rgb);  // B, G, R, 0 in memory
    for (int y = image.size - 1; y >= 0; --y) {
        std::string row(colourRow, '\0');
        for (int x = 0; x < image.size; ++x) {
            const int pixel = image.at(x, y);
            const unsigned index =
                pixel == IconImage::kTransparent ? 0U : static_cast<unsigned>(pixel);
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<char>(x % 2 == 0 ? index << 4 : index);
        }
        out += row;
    }
    for (int y = image.size - 1; y >= 0; --y) {
        std::string row(maskRow, '\0');
        for (int x = 0; x < image.size; ++x) {
            if (image.at(x, y) == IconImage::kTransparent) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80U >> (x % 8));
            }
        }
        out += row;
    }
    return out;
}

}  // namespace

std::string icoFile(const IconSource& source) {
    const auto& images = source.images();
    std::string header;
    put16(header, 0);
    put16(header, 1);  // an icon
    put16(header, static_cast<unsigned>(images.size()));
    std::string data;
    unsigned offset = static_cast<unsigned>(6 + 16 * images.size());
    for (const IconImage& image : images) {
        const std::string bytes = bitmap(image);
        header += static_cast<char>(image.size);
        header += static_cast<char>(image.size);
        header += static_cast<char>(16);  // colours
        header += '\0';
        put16(header, 1);
        put16(header, 4);
        put32(header, static_cast<unsigned>(bytes.size()));
        put32(header, offset);
        offset += static_cast<unsigned>(bytes.size());
        data += bytes;
    }
    return header + data;
}

}  // namespace veltrane
