#pragma once
// The product side of a document save for the benchmarks: a new header and its field lines appended
// to client datasets (pvdMain and its nested body) with the values TRawDocumentWriter inserts raw.
#include <string>

class TClientDataSet;

// Appends document key with lines numbered 0001... to main (open) and body (its nested dataset), as
// a user typing them would; nothing is saved yet.
void FillClientDocument(TClientDataSet& main, TClientDataSet& body, const std::string& key, int lines);
