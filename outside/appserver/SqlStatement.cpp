#include "outside/appserver/SqlStatement.h"

std::vector<Variant> SqlStatement::Row() const {
    int n = ColumnCount();
    std::vector<Variant> row;
    row.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) row.push_back(Column(i));
    return row;
}

int SqlStatement::ExecuteInPlace(const std::vector<const Variant*>& params) {
    std::vector<Variant> values;
    values.reserve(params.size());
    for (const Variant* v : params) values.push_back(*v);
    return Execute(values);
}

void SqlStatement::ReadColumns(Variant* out, int count) const {
    for (int i = 0; i < count; ++i) out[i] = Column(i);
}
