// The Windows resource script of the program file: its icon (as raw RT_ICON
// and RT_GROUP_ICON resources, so the icon ids are ours and not the resource
// compiler's) and its version record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace koppelo::assetgen {

struct RawResource {
    std::uint16_t id;
    std::uint16_t type;      // RT_ICON, RT_GROUP_ICON, ...
    std::string_view file;   // relative to the script's folder
};

// Text of the script; icons language-neutral, the version record US English.
std::string resourceScript(const std::vector<RawResource>& icons);

}  // namespace koppelo::assetgen
