// The page's HTML and its layout style sheet, made from the window layouts
// and the texts catalogue, so that nothing the desktop shows is typed again.
#pragma once

#include <string>
#include <vector>

namespace koppelo::webpage {

// Where the generator puts each face; the script sets these as the cards' sources.
std::string faceFileName(int face);

inline constexpr char kLogoFile[] = "img/logo.png";
inline constexpr char kLayoutCss[] = "layout.css";
inline constexpr char kLookCss[] = "koppelo.css";
inline constexpr char kMainScript[] = "main.js";
inline constexpr char kManifest[] = "manifest.webmanifest";
inline constexpr char kFavicon[] = "img/icon-32.png";

// loaded: the files the script loads (modules, the WebAssembly), fetched at
// once as the page is parsed rather than one import after another.
std::string indexHtml(const std::vector<std::string>& loaded);
std::string layoutCss();

}  // namespace koppelo::webpage
