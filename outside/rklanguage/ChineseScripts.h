#pragma once
// Simplified <-> traditional Chinese, character by character, on OpenCC's character dictionaries
// (STCharacters, TSCharacters): no phrase or regional vocabulary (s2t would make 文档 文件 in some
// variants), so a text converted there and back is settled. Where the dictionary's first traditional
// form lies outside BIG5 (启 -> 啓), the BIG5 character of the same simplified form is taken (啟).
// Each thread keeps its own OpenCC converters (they are not shared between threads).
#include <string>
#include <string_view>

std::string SimplifiedToTraditional(std::string_view utf8);
std::string TraditionalToSimplified(std::string_view utf8);

// The OpenCC configuration of a conversion that looks every character up alone in one dictionary.
std::string OpenCCCharacterConfig(const char* name, const char* dictionary);
