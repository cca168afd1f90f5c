#pragma once
// Fills a company database with generated table definitions, for benchmarks and for trying the
// program on a large company: documents G0000001... (ADMMC) with 10 to 30 field lines each (ADMMD),
// varied like real ones (document types, systems, field types with fitting lengths, Chinese names),
// and the same for the same seed. Works on every backend of the application server.
#include <functional>
#include <string>

struct FillOptions {
    long long documents = 100000;
    int minLines = 10;
    int maxLines = 30;
    unsigned seed = 20240102;
    std::string prefix = "G";   // document codes: prefix + 7 digits
    long long firstNumber = 1;  // the first document's number
    long long batch = 2000;     // documents per transaction
};

struct FillResult {
    long long documents = 0;
    long long lines = 0;
};

// Adds the documents to the company at the location (an SQLite file or "postgresql:<schema>"), creating
// the company with the demo company first when it is not there. Progress is told after every batch.
// Raises EDatabaseError, for instance when a generated code exists already.
FillResult FillCompany(const std::string& location, const FillOptions& options,
                       const std::function<void(long long done, long long total)>& progress = {});
