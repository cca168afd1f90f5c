#pragma once
// Where the process, its libraries and its user are.
#include <string>

std::string ExecutableFileName();                         // full path of the running program
std::string ModuleFileName(const void* addressInModule);  // full path of the object file holding the address ("" if none)
std::string ToolkitFileName();                            // full path of libtoolkit.so (or the program linking it statically)
std::string UserName();                                   // login name (passwd entry, else $USER, else "")
std::string TempFolder();                                 // $TMPDIR or /tmp, with a trailing '/'
