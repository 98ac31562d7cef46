// Text made safe for the page's HTML, and a caption's access key.
#pragma once

#include <string>
#include <string_view>

namespace koppelo::webpage {

// &, <, >, " and ' as character references, for text and attribute values.
std::string escapeHtml(std::string_view text);

// "&Spel" as "<u>S</u>pel", escaped; "&&" stands for one ampersand.
std::string accessKeyHtml(std::string_view caption);

// "&Spel" as "Spel".
std::string withoutAccessKey(std::string_view caption);

}  // namespace koppelo::webpage
