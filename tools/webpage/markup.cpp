#include "markup.h"


namespace koppelo::webpage {

namespace {

constexpr char kMarker = '&';

// Bytes of the UTF-8 character that starts with lead.
std::size_t characterLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

}  // namespace

std::string escapeHtml(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string accessKeyHtml(std::string_view caption)
{
    std::string out;
    bool marked = false;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != kMarker || i + 1 == caption.size()) {
            out += escapeHtml(caption.substr(i, 1));
            continue;
        }
        ++i;
        if (caption[i] == kMarker || marked) {
            out += escapeHtml(caption.substr(i, 1));
            continue;
        }
        const std::size_t length = characterLength(static_cast<unsigned char>(caption[i]));
        out += "<u>" + escapeHtml(caption.substr(i, length)) + "</u>";
        i += length - 1;
        marked = true;
    }
    return out;
}

std::string withoutAccessKey(std::string_view caption)
{
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == kMarker && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

}  // namespace koppelo::webpage
