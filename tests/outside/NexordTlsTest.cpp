// nexord under TLS: the client checks the server's certificate against its CA file, and nothing of the
// session travels in the clear.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CompanyFixture.h"
#include "NexordProcess.h"
#include "RawClient.h"
#include "toolkit/com/RemoteClient.h"

namespace {

// A CA and a server certificate it signed for the address, made with the openssl program.
bool MakeCertificates(const std::filesystem::path& folder, const std::string& name, const std::string& address) {
    std::string f = (folder / name).string();
    std::string ext = f + ".ext";
    std::string script = "cd '" + folder.string() + "' && printf 'subjectAltName=IP:" + address + "\\n' > '" + ext + "' && " +
                         "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=" + name + " CA' -keyout '" + f +
                         "-ca.key' -out '" + f + "-ca.pem' && " + "openssl req -newkey rsa:2048 -nodes -subj '/CN=" + address +
                         "' -keyout '" + f + ".key' -out '" + f + ".csr' && " + "openssl x509 -req -in '" + f + ".csr' -CA '" +
                         f + "-ca.pem' -CAkey '" + f + "-ca.key' -CAcreateserial -days 2 -extfile '" + ext + "' -out '" + f +
                         ".pem'";
    return std::system(("(" + script + ") >/dev/null 2>&1").c_str()) == 0;
}

std::string TryOpen(const NexordProcess& daemon, const std::string& caFile) {
    TRemoteEndpoint e;
    e.Address = daemon.Address();
    e.Port = daemon.Port();
    e.ServerName = "Nexor01S.Class1";
    e.User = "DS";
    e.Password = "admin";
    e.TlsCaFile = caFile;
    try {
        auto session = TRemoteSession::Open(e);
        return OleCall(session->Root(), "Connect", {VarArrayOf({"TDEF05", "DS", "DEMO", "DEMO"})}).AsInteger() == 0
                   ? ""
                   : "Connect refused";
    } catch (const ESocketConnectionError& error) {
        return error.Message();
    }
}

}  // namespace

class NexordTls : public CompanyFixture {};

TEST_F(NexordTls, ClientsReachTheServerOnlyUnderTlsWithACertificateTheirCaSigned) {
    ASSERT_TRUE(MakeCertificates(folder_, "server", "127.0.0.2"));
    ASSERT_TRUE(MakeCertificates(folder_, "stranger", "127.0.0.2"));
    std::string cert = (folder_ / "server.pem").string(), key = (folder_ / "server.key").string();
    NexordProcess daemon(dbPath_, "127.0.0.2", {"--tls-cert", cert, "--tls-key", key}, {}, NexordProcess::Trust::Passwords);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    EXPECT_NE(daemon.Log().find("sessions run under TLS"), std::string::npos);

    EXPECT_EQ(TryOpen(daemon, (folder_ / "server-ca.pem").string()), "");
    // A server whose certificate another CA signed is not ours.
    std::string untrusted = TryOpen(daemon, (folder_ / "stranger-ca.pem").string());
    EXPECT_NE(untrusted.find("not trusted"), std::string::npos) << untrusted;
    // A client in the clear gets no answer it could read.
    EXPECT_NE(TryOpen(daemon, ""), "");
    RawClient raw("127.0.0.2", daemon.Port());
    ASSERT_TRUE(raw.Valid());
    raw.Hello();
    std::string answer = raw.Answer();
    EXPECT_TRUE(answer == "closed" || answer == "too large" || answer == "other") << answer;

    // Half a certificate pair does not start a server.
    EXPECT_EQ(NexordProcess::Run({"--port", "0", "--database", dbPath_, "--tls-cert", cert}), 2);
    EXPECT_EQ(NexordProcess::Run(
                  {"--port", "0", "--database", dbPath_, "--tls-cert", cert, "--tls-key", (folder_ / "stranger.key").string()}),
              1);
}
