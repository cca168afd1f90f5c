#include "outside/torvane/ServerLocation.h"

#include "toolkit/com/ComObj.h"
#include "toolkit/data/SocketConnection.h"
#include "toolkit/os/Paths.h"
#include "toolkit/os/Registry.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/SysUtils.h"

#include <utility>

namespace {

const char* kVandrilKey = "Software\\RKT\\Vandril";

// VandrilC.ini in the user's profile folder when the profile type asks for one and it is there,
// otherwise in the client folder.
std::string ClientIniFile(const TRegistry& registry) {
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

}  // namespace

std::string TServerLocation::Text() const {
    return InProcess() ? "本机 (" + Address + ")" : Address + ":" + std::to_string(Port);
}

TServerLocation ConfiguredServerLocation() {
    TServerLocation location;
    const std::string file = ClientIniFile(TRegistry());
    if (file.empty() || !FileExists(file)) return location;
    const TIniFile ini(file);
    location.Port = ini.ReadInteger("Server Information", "ServerPort", 211);
    location.TlsCaFile = Trim(ini.ReadString("Server Information", "TlsCaFile", ""));
    // The first of the servers listed ("a;b;c"); blank entries name none.
    for (const std::string& part : SplitString(ini.ReadString("Server Information", "ComputerName", "127.0.0.1"), ';'))
        if (!Trim(part).empty()) {
            location.Address = Trim(part);
            break;
        }
    return location;
}

TConfiguredServer::TConfiguredServer(std::string progId) : progId_(std::move(progId)) {}

void TConfiguredServer::SetCredentials(const std::string& user, const std::string& password) {
    object_ = Variant();
    if (connection_) connection_->Close();
    connection_.reset();
    user_ = user;
    password_ = password;
}

std::string TConfiguredServer::Ticket() const { return connection_ ? connection_->IssuedTicket() : std::string(); }

TConfiguredServer::~TConfiguredServer() {
    object_ = Variant();
    if (connection_) connection_->Close();
}

const Variant& TConfiguredServer::Object() {
    if (object_.IsDispatch()) return object_;
    const TServerLocation location = ConfiguredServerLocation();
    if (location.InProcess()) {
        object_ = CreateOleObject(progId_);
        return object_;
    }
    auto connection = std::make_unique<TSocketConnection>();
    connection->Address = location.Address;
    connection->Port = location.Port;
    connection->ServerName = progId_;
    connection->TlsCaFile = location.TlsCaFile;
    connection->UserName = user_;
    // Used for this one proof, whether it succeeds or not.
    connection->Password = std::exchange(password_, std::string());
    connection->Open();
    object_ = connection->AppServer();
    connection_ = std::move(connection);
    return object_;
}
