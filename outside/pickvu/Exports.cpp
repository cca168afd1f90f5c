// The in-process server entry for "PickvuS.Class1".
#include <strings.h>

#include "outside/pickvu/LookupService.h"
#include "toolkit/com/ServerExport.h"

DispatchPtr CreateLookupService() { return std::make_shared<TLookupService>(); }

TK_SERVER_EXPORT IDispatchObject* TkCreateObject(const char* progId) {
    if (progId && strcasecmp(progId, "PickvuS.Class1") == 0) return new TLookupService();
    return nullptr;
}
