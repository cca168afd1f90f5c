#include "env/VandrilKey.h"

#include "env/CompletePath.h"
#include "toolkit/os/Registry.h"
#include "toolkit/rtl/SysUtils.h"

VandrilKeyValues ReadVandrilKey() {
    VandrilKeyValues values;
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(kVandrilKey)) return values;
    values.opened = true;
    values.clientPath = ConfiguredFolder(Trim(registry.ReadString("ClientPath")));
    values.serverPath = ConfiguredFolder(Trim(registry.ReadString("ServerPath")));
    values.profileType = registry.ReadString("ProfileType");
    return values;
}
