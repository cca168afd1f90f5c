#pragma once
// Edits of a SELECT statement at its top level (outside parentheses, literals and comments): the
// request's condition and order are spliced into the statements that programs keep in their
// information (M11_SELECT ...), whose tables and aliases the condition names.
#include <string>

// Adds "(condition)" to the WHERE clause (a WHERE of its own is kept and parenthesised).
std::string AddCondition(const std::string& select, const std::string& condition);
// Replaces the ORDER BY clause (or adds one before a LIMIT); an empty order leaves the statement.
std::string SetOrder(const std::string& select, const std::string& order);
// The statement without its ORDER BY clause.
std::string WithoutOrder(const std::string& select);
// The text from the top-level FROM to the end; empty when there is none.
std::string FromPart(const std::string& select);
