#include "outside/appserver/SqlResult.h"

#include "outside/appserver/SqlTokens.h"

int SqlResult::ColumnIndex(const std::string& name) const {
    std::string want = SqlUpper(name);
    if (auto dot = want.rfind('.'); dot != std::string::npos) want = want.substr(dot + 1);
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (SqlUpper(columns[i]) == want) return static_cast<int>(i);
    return -1;
}
