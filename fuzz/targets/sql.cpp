// The suite's SQL as a client sends it: translated for both backends, checked as a fragment and as a
// PostgreSQL statement, and placed into a statement as a condition and an order.
#include <cstddef>
#include <cstdint>
#include <string>

#include "outside/appserver/PostgresRules.h"
#include "outside/appserver/SqlFragments.h"
#include "outside/appserver/SqlSelect.h"
#include "outside/appserver/SqlTranslator.h"
#include "toolkit/rtl/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (SqlDialect dialect : {SqlDialect::SQLite, SqlDialect::PostgreSQL}) {
        try {
            SqlTranslator(dialect).Translate(text);
        } catch (const Exception&) {}
    }
    try {
        CheckClientFragment(text, "condition");
        std::string select = AddCondition("SELECT A.* FROM ADMMC A WHERE A.MC003 = '1' ORDER BY A.MC001", text);
        SetOrder(select, text);
        WithoutOrder(select);
        FromPart(select);
    } catch (const Exception&) {}
    try {
        CheckedPostgresStatement(text);
        NumberedParameters(text);
    } catch (const Exception&) {}
    return 0;
}
