#include "tests/layering/check/LayerCheck.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitOn(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

TLayer ParseLayerLine(const std::string& line, int lineNo) {
    std::istringstream words(line);
    std::string name, folder, deps, qt, targets;
    if (!(words >> name >> folder >> deps >> qt >> targets))
        throw std::runtime_error("layer map line " + std::to_string(lineNo) + " is malformed: " + line);
    TLayer layer;
    layer.Name = name;
    if (folder != "-") {
        const std::string stars = "/**";
        layer.Recursive = folder.size() > stars.size() && folder.ends_with(stars);
        layer.Folder = layer.Recursive ? folder.substr(0, folder.size() - stars.size()) : folder;
    }
    if (deps != "-") layer.Deps = SplitOn(deps, ',');
    layer.MayIncludeQt = qt == "qt";
    return layer;
}

bool IsProductSource(const fs::path& path) {
    const std::string ext = path.extension().string();
    return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".cc";
}

// Top-level folders that hold no product code.
bool IsOutsideProduct(const std::string& topFolder) {
    return topFolder == "tests" || topFolder == "bench" || topFolder == "fuzz" || topFolder.starts_with("build") ||
           topFolder.starts_with(".");
}

bool IsQtHeader(const std::string& header) {
    static const std::regex qt(R"(^Q[A-Za-z0-9]*(/.*)?$)");
    return std::regex_match(header, qt) && header != "Q";
}

std::string Relative(const fs::path& path, const fs::path& root) {
    return path.lexically_normal().lexically_relative(root).generic_string();
}

// A quoted include as the compiler finds it: beside the including file, else under the root (the
// one include path every layer gets). Empty when neither exists (generated or missing: the compiler
// says so).
std::string ResolveQuoted(const std::string& header, const fs::path& file, const fs::path& root) {
    const fs::path beside = file.parent_path() / header;
    if (fs::exists(beside)) return Relative(beside, root);
    const fs::path fromRoot = root / header;
    if (fs::exists(fromRoot)) return Relative(fromRoot, root);
    return {};
}

void CheckIncludes(const TLayerMap& map, const TLayer& layer, const fs::path& file, const fs::path& root,
                   std::vector<TLayerViolation>& out) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
    std::ifstream in(file);
    std::string line;
    const std::string relative = Relative(file, root);
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        std::smatch match;
        if (!std::regex_search(line, match, include)) continue;
        const std::string header = match[2];
        if (match[1] == "<") {
            if (IsQtHeader(header) && !layer.MayIncludeQt)
                out.push_back({relative, lineNo, "includes <" + header + ">, but layer " + layer.Name + " may not include Qt"});
            continue;
        }
        const std::string target = ResolveQuoted(header, file, root);
        if (target.empty()) continue;
        const TLayer* targetLayer = map.LayerOf(target);
        if (!targetLayer) {
            out.push_back({relative, lineNo, "includes \"" + header + "\", which belongs to no layer"});
        } else if (!map.MayUse(layer.Name, targetLayer->Name)) {
            out.push_back({relative, lineNo,
                           "includes \"" + header + "\" of layer " + targetLayer->Name + ", which layer " + layer.Name +
                               " does not stand on"});
        }
    }
}

}  // namespace

TLayerMap TLayerMap::Parse(const std::string& text) {
    TLayerMap map;
    std::istringstream lines(text);
    std::string line;
    for (int lineNo = 1; std::getline(lines, line); ++lineNo) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        TLayer layer = ParseLayerLine(line, lineNo);
        std::set<std::string> reach{layer.Name};
        for (const std::string& dep : layer.Deps) {
            auto below = map.reach_.find(dep);
            if (below == map.reach_.end())
                throw std::runtime_error("layer " + layer.Name + " depends on " + dep + ", which is not declared before it");
            reach.insert(below->second.begin(), below->second.end());
        }
        map.reach_[layer.Name] = std::move(reach);
        map.layers_.push_back(std::move(layer));
    }
    return map;
}

TLayerMap TLayerMap::Load(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read the layer map " + path);
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

const TLayer* TLayerMap::LayerOf(const std::string& file) const {
    const std::string folder = fs::path(file).parent_path().generic_string();
    const TLayer* best = nullptr;
    for (const TLayer& layer : layers_) {
        if (layer.Folder.empty()) continue;
        const bool holds = folder == layer.Folder || (layer.Recursive && folder.starts_with(layer.Folder + "/"));
        if (holds && (!best || layer.Folder.size() > best->Folder.size())) best = &layer;
    }
    return best;
}

bool TLayerMap::MayUse(const std::string& layer, const std::string& other) const {
    auto reach = reach_.find(layer);
    return reach != reach_.end() && reach->second.contains(other);
}

std::string TLayerViolation::Text() const {
    return Line > 0 ? File + ":" + std::to_string(Line) + ": " + Message : File + ": " + Message;
}

std::vector<TLayerViolation> CheckLayering(const TLayerMap& map, const std::string& rootFolder) {
    const fs::path root = fs::path(rootFolder).lexically_normal();
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_directory() && it.depth() == 0 && IsOutsideProduct(it->path().filename().string())) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file() && IsProductSource(it->path()) && it.depth() > 0) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::vector<TLayerViolation> violations;
    for (const fs::path& file : files) {
        const std::string relative = Relative(file, root);
        const TLayer* layer = map.LayerOf(relative);
        if (!layer) {
            violations.push_back({relative, 0, "belongs to no layer declared in CMakeLists.txt"});
            continue;
        }
        CheckIncludes(map, *layer, file, root, violations);
    }
    return violations;
}
