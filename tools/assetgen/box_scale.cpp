#include "box_scale.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace koppelo::assetgen {

namespace {

struct Tap {
    int source;
    std::uint64_t weight;
};

// Measured in units where a source pixel is `target` long and a target pixel
// `source` long, both axes span source * target units and every overlap is
// an integer. The weights of one target pixel add up to `source`.
std::vector<std::vector<Tap>> axisTaps(int source, int target)
{
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(target));
    for (int t = 0; t < target; ++t) {
        const std::int64_t begin = std::int64_t{t} * source;
        const std::int64_t end = begin + source;
        for (int s = static_cast<int>(begin / target); s < source; ++s) {
            const std::int64_t sBegin = std::int64_t{s} * target;
            if (sBegin >= end)
                break;
            const std::int64_t overlap = std::min(end, sBegin + target) - std::max(begin, sBegin);
            if (overlap > 0)
                taps[static_cast<std::size_t>(t)].push_back({s, static_cast<std::uint64_t>(overlap)});
        }
    }
    return taps;
}

std::uint8_t roundedMean(std::uint64_t sum, std::uint64_t total)
{
    return static_cast<std::uint8_t>((sum + total / 2) / total);
}

}  // namespace

Image boxScale(const Image& source, int width, int height)
{
    Image target(width, height);
    const auto columns = axisTaps(source.width(), width);
    const auto rows = axisTaps(source.height(), height);
    const std::uint64_t total = static_cast<std::uint64_t>(source.width()) * static_cast<std::uint64_t>(source.height());

    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint64_t red = 0;
            std::uint64_t green = 0;
            std::uint64_t blue = 0;
            for (const Tap& row : rows[static_cast<std::size_t>(y)]) {
                for (const Tap& column : columns[static_cast<std::size_t>(x)]) {
                    const Rgb& pixel = source.at(column.source, row.source);
                    const std::uint64_t weight = row.weight * column.weight;
                    red += pixel.red * weight;
                    green += pixel.green * weight;
                    blue += pixel.blue * weight;
                }
            }
            target.at(x, y) = {roundedMean(red, total), roundedMean(green, total), roundedMean(blue, total)};
        }
    }
    return target;
}

}  // namespace koppelo::assetgen
