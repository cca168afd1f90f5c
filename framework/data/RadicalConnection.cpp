// The data module's connections: the application server (MIDAS) and the lookup server.
#include "env/Clock.h"
#include "env/VandrilIni.h"
#include "framework/data/RadicalDM.h"
#include "server/Brokers.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr const char* kInProcessAddress = "127.0.0.1";

struct TServerAddress {
    std::string address;
    int port = 211;
    std::string tlsCaFile;
};

// The first server of the client configuration; no address when the configuration has an error.
TServerAddress ConfiguredServer() {
    TServerAddress server;
    const TVandrilIniC ini;
    if (!ini.Error.empty() || ini.ServerCount() == 0) return server;
    server.address = ini.ServerAddress(0);
    server.tlsCaFile = ini.TlsCaFile;
    const Variant& port = ini.ServerList.At(1, ini.ServerList.Low(2));
    if (port.IsNumeric()) server.port = port.AsInteger();
    return server;
}

// The ticket the daemon issued at the host's login: the program's own sessions present it, so that no
// program ever holds the password. "" from a host without one (the daemon must then trust this machine).
std::string HostTicket(const Variant& hostManager) {
    if (!hostManager.IsDispatch()) return {};
    try {
        return VarToStr(OleGet(hostManager, "SessionTicket"));
    } catch (const Exception&) {
        return {};
    }
}

// Opens a connection at the address: in process by program id, otherwise through the daemon.
// An empty address fails with the toolkit's connection error.
void OpenAt(TSocketConnection& connection, const std::string& address, int port, const std::string& inProcessProgId,
            const Variant& hostManager) {
    connection.Close();
    connection.Address = address;
    connection.Port = port;
    if (connection.Connected()) return;
    if (address == kInProcessAddress) {
        connection.SetAppServer(CreateOleObject(inProcessProgId));
        return;
    }
    if (connection.Ticket.empty()) connection.Ticket = HostTicket(hostManager);
    connection.Open();
}

}  // namespace

bool TdmRadical::OpenDataConnection() {
    if (!Brokers) return false;
    const TServerAddress server = ConfiguredServer();
    MIDAS.TlsCaFile = scLookUpData.TlsCaFile = server.tlsCaFile;
    OpenAt(MIDAS, server.address, server.port, "NEXOR01S.Class1", Brokers->HostManager);
    AppServer = MIDAS.AppServer();
    if (!AppServer.IsDispatch()) return false;

    Variant params = VarArrayOf(
        {Brokers->ProgramId, Brokers->UserId, Brokers->CompanyId, Brokers->DatabaseName, ConnectOption, Brokers->ProgramFlag});
    Variant answer = OleCall(AppServer, "Connect", {params});
    Brokers->ProgramInfo.SetText(VarToStr(OleGet(AppServer, "SvrData")));
    // Stamps of the rows written in this session carry the server's date.
    LoadToday();
    OpenLookupConnection();
    AfterConnectHook();
    OpenProviderDataSets();
    return answer.IsNumeric() && answer.AsInteger() == 0;
}

bool TdmRadical::OpenLookupConnection() {
    OpenAt(scLookUpData, MIDAS.Address, MIDAS.Port, "PickvuS.Class1", Brokers ? Brokers->HostManager : Variant());
    return scLookUpData.Connected();
}

void TdmRadical::OpenProviderDataSets() {
    for (TComponent* component : ComponentList()) {
        auto* dataSet = dynamic_cast<TClientDataSet*>(component);
        if (dataSet && !dataSet->ProviderName.empty() && !dataSet->Active()) dataSet->Open();
    }
}

void TdmRadical::LoadToday() {
    try {
        if (AppServer.IsDispatch()) {
            Today = VarToStr(OleCall(AppServer, "WhatIs", {"TODAY"}));
            if (!Today.empty()) return;
        }
    } catch (const std::exception&) {
        // The local date below.
    }
    Today = FormatDateTime("yyyymmdd", ClockNow());
}

Variant TdmRadical::WhatIs(const std::string& name) {
    if (!AppServer.IsDispatch()) return Variant();
    return OleCall(AppServer, "WhatIs", {name});
}

void TdmRadical::CloseConnections() {
    if (MIDAS.Connected()) MIDAS.Close();
    if (scLookUpData.Connected()) scLookUpData.Close();
    AppServer = Variant();
}
