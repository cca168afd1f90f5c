#pragma once
// The statement that counts the rows of a provider's select (its condition in, its order out). A
// LEFT JOIN that can neither add nor remove rows — a table joined on its whole primary key, whose
// name and columns the rest of the statement does not use — is left out, and the select list with
// it, so that the database counts over the base table (its key index) instead of reading every row
// and probing the joined table once per row. Anything it does not recognise is counted as it is.
#include <functional>
#include <string>
#include <vector>

#include "outside/appserver/SqlResult.h"
#include "toolkit/rtl/Visibility.h"

// The columns of a table (empty when there is no such table).
using TTableColumns = std::function<std::vector<SqlColumnInfo>(const std::string& table)>;

TK_EXPORT std::string CountStatement(const std::string& select, const TTableColumns& columnsOf);
