#pragma once
// Automation objects created by program id. The class registry lives in the registry stand-in under
// "HKEY_LOCAL_MACHINE\Software\Classes\CLSID\<ProgID>" with the values Library (a shared-library
// file, relative names resolved beside the running executable, then beside libtoolkit.so) and
// Factory (the exported creator, default "TkCreateObject"). Program ids compare without regard to case.
// Objects may also be registered in process (tests, the work center's own services).
#include <functional>
#include <string>

#include "toolkit/rtl/Dispatch.h"

using ServerFactory = std::function<DispatchPtr(const std::string& progId)>;

// Creates an object; an unknown program id raises EOleError("Invalid class string: <ProgID>"),
// a library that does not load or lacks the factory raises EOleError naming the library and reason.
// Each library is loaded once per process.
Variant CreateOleObject(const std::string& progId);

// Registers a creator in process; it takes precedence over the registry stand-in.
void RegisterOleClass(const std::string& progId, ServerFactory factory);
void UnregisterOleClass(const std::string& progId);
