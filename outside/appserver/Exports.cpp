// The in-process server entry: the class registry loads this library and asks it for "Nexor01S.Class1".
#include <strings.h>

#include "outside/appserver/AppServer.h"
#include "toolkit/com/ServerExport.h"

DispatchPtr CreateAppServer(const std::string& companyLocation) { return std::make_shared<TAppServer>(companyLocation); }

TK_SERVER_EXPORT IDispatchObject* TkCreateObject(const char* progId) {
    if (progId && strcasecmp(progId, "Nexor01S.Class1") == 0) return new TAppServer();
    return nullptr;
}
