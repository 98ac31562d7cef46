// Text as a JSON string, quotes and all: what the page is handed and what
// the page's tool writes (the manifest, the service worker's list).
#pragma once

#include <string>
#include <string_view>

namespace koppelo::web {

std::string jsonString(std::string_view text);

}  // namespace koppelo::web
