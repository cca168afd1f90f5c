#include "outside/torvane/ClientConfiguration.h"

#include "toolkit/os/Paths.h"
#include "toolkit/os/Registry.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

const char* kVandrilKey = "Software\\RKT\\Vandril";

}  // namespace

std::string ClientConfigurationFile() {
    const TRegistry registry;
    std::string client = registry.Read(kVandrilKey, "ClientPath").value_or("");
    if (client.empty()) return {};
    client = IncludeTrailingPathDelimiter(StringReplace(client, "\\", "/", rfReplaceAll));
    const std::string profileType = Trim(registry.Read(kVandrilKey, "ProfileType").value_or(""));
    if (!profileType.empty() && profileType != "0") {
        const std::string own = client + "Profile/" + UserName() + "/VandrilC.ini";
        if (FileExists(own)) return own;
    }
    return client + "VandrilC.ini";
}

std::string InterfaceCodePage() {
    const std::string file = ClientConfigurationFile();
    if (file.empty() || !FileExists(file)) return "936";
    const std::string codePage = Trim(TIniFile(file).ReadString("CodePage", "UICodePage", "936"));
    return codePage.empty() ? "936" : codePage;
}
