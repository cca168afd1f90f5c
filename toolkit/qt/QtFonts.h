#pragma once
// The user-interface face: one CJK face draws both the Chinese and the Latin letters of every window.
// The Windows faces programs name (SimSun, MS Sans Serif, Tahoma ...) are not on this system, and
// left to fontconfig they fall back to a serif Latin face beside a sans Chinese one; they are read as
// the UI face instead (its fixed-pitch sibling for the fixed-pitch faces).
#include <QString>

inline constexpr const char* kUiFace = "WenQuanYi Micro Hei";
inline constexpr const char* kUiFixedFace = "WenQuanYi Micro Hei Mono";

// Makes the UI face the application's default and the stand-in of the missing Windows faces.
void InstallUiFace();
