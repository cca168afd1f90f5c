#include "outside/torvane/ServerLocation.h"

#include "outside/torvane/ClientConfiguration.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/data/SocketConnection.h"
#include "toolkit/os/Paths.h"
#include "toolkit/os/Registry.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/SysUtils.h"

#include <utility>

std::string TServerLocation::Text() const {
    return InProcess() ? "本机 (" + Address + ")" : Address + ":" + std::to_string(Port);
}

TServerLocation ConfiguredServerLocation() {
    TServerLocation location;
    const std::string file = ClientConfigurationFile();
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
