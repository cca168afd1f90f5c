// The in-process server entry for "AnnexoC.Class1".
#include <strings.h>

#include "outside/annexo/AttachmentServer.h"
#include "toolkit/com/ServerExport.h"

TK_SERVER_EXPORT IDispatchObject* TkCreateObject(const char* progId) {
    if (progId && strcasecmp(progId, "AnnexoC.Class1") == 0) return new TAttachmentServer();
    return nullptr;
}
