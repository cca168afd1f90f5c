// The in-process server entry for "TorvaneWorkCenter.Manager" (the stand-alone start of a program).
#include <strings.h>

#include "outside/torvane/HostManager.h"
#include "toolkit/com/ServerExport.h"

DispatchPtr CreateHostManager() { return std::make_shared<THostManager>(); }

TK_SERVER_EXPORT IDispatchObject* TkCreateObject(const char* progId) {
    if (progId && strcasecmp(progId, "TorvaneWorkCenter.Manager") == 0) return new THostManager();
    return nullptr;
}
