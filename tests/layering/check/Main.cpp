// tdef-layer-check LAYER-MAP SOURCE-ROOT: prints every include against the layer order, one line each
// ("file:line: ..."), and exits 1 when there is any.
#include <exception>
#include <iostream>

#include "tests/layering/check/LayerCheck.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tdef-layer-check LAYER-MAP SOURCE-ROOT\n";
        return 2;
    }
    try {
        const TLayerMap map = TLayerMap::Load(argv[1]);
        const auto violations = CheckLayering(map, argv[2]);
        for (const TLayerViolation& violation : violations) std::cerr << violation.Text() << '\n';
        if (!violations.empty()) {
            std::cerr << violations.size() << " include(s) against the layer order of CMakeLists.txt\n";
            return 1;
        }
        std::cout << "every include follows the layer order (" << map.Layers().size() << " layers)\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 2;
    }
}
