#pragma once
// Folder names from configuration files may be written the Windows way ("\" separators, "C:").
#include <string>

// The path with "\" read as "/" and a trailing "/" (an empty path stays empty).
std::string ConfiguredFolder(const std::string& path);
// Completes a configured path against a base folder: a path with a drive (starting with "/" or a
// drive letter and ":") is kept; one starting with "\" gets the base folder in front of the rest;
// any other gets the base folder in front. Separators come out as "/".
std::string CompletePath(const std::string& path, const std::string& baseFolder);
