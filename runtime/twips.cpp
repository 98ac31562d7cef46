#include "twips.h"

#include <cmath>

namespace koppelo::runtime {

int twipsToPixels(int twips, double dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

}  // namespace koppelo::runtime
