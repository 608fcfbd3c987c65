#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

// One square image of the icon: palette indexes, or kTransparent.
struct IconImage {
    static constexpr int kTransparent = -1;

    int size = 0;
    std::vector<int> pixels;  // row by row from the top, size * size of them

    int at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
};

// The icon as its text source gives it: "image N" and N rows of N characters,
// each a hexadecimal palette index or "." for transparent; "#" starts a comment.
class IconSource {
public:
    static IconSource parse(const std::string& text);

    const std::vector<IconImage>& images() const { return images_; }

    // The standard 16-colour palette, as 0xRRGGBB.
    static const std::array<std::uint32_t, 16>& palette();

private:
    std::vector<IconImage> images_;
};

}  // namespace veltrane
