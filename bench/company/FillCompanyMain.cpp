// tdef-fill-company: fills a company database with generated table definitions.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/company/CompanyFiller.h"
#include "toolkit/rtl/Exception.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "tdef-fill-company: adds generated table definitions to a company database\n"
                 "usage: tdef-fill-company --database LOCATION [--documents N] [--lines MIN-MAX] [--seed N]\n"
                 "                         [--prefix TEXT] [--first N]\n"
                 "  --database LOCATION  an SQLite file (created with the demo company when missing), or\n"
                 "                       postgresql:SCHEMA on the server TDEF_POSTGRESQL names\n"
                 "  --documents N        how many documents (default 100000)\n"
                 "  --lines MIN-MAX      field lines per document (default 10-30)\n"
                 "  --seed N             the same seed gives the same documents (default 20240102)\n"
                 "  --prefix TEXT        document codes are TEXT and seven digits (default G)\n"
                 "  --first N            the number of the first document (default 1)\n");
}

bool Number(const char* text, long long& out) {
    char* end = nullptr;
    out = std::strtoll(text, &end, 10);
    return end && *end == '\0' && end != text;
}

}  // namespace

int main(int argc, char** argv) {
    FillOptions options;
    std::string database;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long long n = 0;
        if (arg == "--help" || arg == "-h") {
            Usage();
            return 0;
        }
        if (!value) {
            Usage();
            return 2;
        }
        ++i;
        if (arg == "--database") {
            database = value;
        } else if (arg == "--documents" && Number(value, n) && n >= 0) {
            options.documents = n;
        } else if (arg == "--seed" && Number(value, n)) {
            options.seed = static_cast<unsigned>(n);
        } else if (arg == "--prefix" && std::strlen(value) <= 3) {
            options.prefix = value;
        } else if (arg == "--first" && Number(value, n) && n >= 0) {
            options.firstNumber = n;
        } else if (arg == "--lines" && std::sscanf(value, "%d-%d", &options.minLines, &options.maxLines) == 2 &&
                   options.minLines >= 0 && options.maxLines >= options.minLines && options.maxLines <= 9999) {
        } else {
            std::fprintf(stderr, "tdef-fill-company: bad argument %s %s\n", arg.c_str(), value);
            Usage();
            return 2;
        }
    }
    if (database.empty()) {
        Usage();
        return 2;
    }
    try {
        FillResult result = FillCompany(database, options, [](long long done, long long total) {
            std::fprintf(stderr, "\r%lld / %lld documents", done, total);
        });
        std::fprintf(stderr, "\n");
        std::printf("%lld documents with %lld lines added to %s\n", result.documents, result.lines, database.c_str());
    } catch (const Exception& e) {
        std::fprintf(stderr, "\ntdef-fill-company: %s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
