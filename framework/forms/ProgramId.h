#pragma once
// The program id a library's file name carries: the name up to its last digit before the first ".",
// in upper case ("Tdef05C.so" gives "TDEF05"); empty when no digit comes before the dot. A name
// without a dot (an executable on Linux) is read to its end.
#include <string>

std::string ProgramIdFromLibrary(const std::string& libraryPath);
