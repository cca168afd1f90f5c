#pragma once
// The layering check: every #include of product code against the layers the build declares
// (cmake/Layers.cmake writes them to <build>/layers.txt). A file may include the headers of its own
// layer and of the layers it stands on, directly or through others; only layers marked "qt" may
// include Qt. Every product source must belong to a layer.
#include <map>
#include <set>
#include <string>
#include <vector>

struct TLayer {
    std::string Name;
    std::string Folder;  // relative to the source root; empty for a layer without files
    bool Recursive = false;
    std::vector<std::string> Deps;
    bool MayIncludeQt = false;
};

class TLayerMap {
public:
    // Parses the lines "name folder[/**] dep,dep|- qt|- targets"; std::runtime_error naming the line
    // on a malformed one or a dependency on an undeclared layer.
    static TLayerMap Parse(const std::string& text);
    static TLayerMap Load(const std::string& path);

    // The layer a file (path relative to the source root) belongs to: the one with the longest
    // folder that holds it; nullptr when none does.
    const TLayer* LayerOf(const std::string& file) const;
    // True when layer may include headers of layer other.
    bool MayUse(const std::string& layer, const std::string& other) const;
    const std::vector<TLayer>& Layers() const { return layers_; }

private:
    std::vector<TLayer> layers_;
    std::map<std::string, std::set<std::string>> reach_;  // layer -> itself and all below it
};

struct TLayerViolation {
    std::string File;  // relative to the source root
    int Line = 0;      // 0: the file as a whole
    std::string Message;

    std::string Text() const;  // "file:line: message"
};

// Checks every product source under root (tests/, bench/, build folders and hidden folders are not
// product code).
std::vector<TLayerViolation> CheckLayering(const TLayerMap& map, const std::string& root);
