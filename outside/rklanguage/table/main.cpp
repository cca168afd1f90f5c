// Writes the "Language" table file with the translator library's SaveOrder: the build puts one beside
// the libraries, which demo installations copy instead of making their own.
#include <cstdio>

extern "C" int SaveOrder(const char* fileName);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: rklanguage-table FILE\n");
        return 2;
    }
    if (SaveOrder(argv[1]) != 0) {
        std::fprintf(stderr, "rklanguage-table: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
