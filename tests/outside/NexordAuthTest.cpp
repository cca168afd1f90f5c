// Who may use a nexord on the network: every client proves a user's password (or a ticket of an earlier
// login) in its hello, before anything else is answered.
#include <gtest/gtest.h>

#include "DataPathFixture.h"
#include "NexordProcess.h"
#include "outside/appserver/UserPasswords.h"
#include "RawClient.h"
#include "toolkit/com/RemoteClient.h"

namespace {

// Opens a session as the socket connection does; the error text when it is refused.
std::string TryOpen(const NexordProcess& daemon, TRemoteEndpoint e, std::shared_ptr<TRemoteSession>* out = nullptr) {
    e.Address = daemon.Address();
    e.Port = daemon.Port();
    if (e.ServerName.empty()) e.ServerName = "Nexor01S.Class1";
    try {
        auto session = TRemoteSession::Open(e);
        if (out) *out = session;
        return "";
    } catch (const ESocketConnectionError& error) {
        return error.Message();
    }
}

TRemoteEndpoint As(const std::string& user, const std::string& password) {
    TRemoteEndpoint e;
    e.User = user;
    e.Password = password;
    return e;
}

int ConnectAs(TRemoteSession& session, const std::string& user) {
    return OleCall(session.Root(), "Connect", {VarArrayOf({"TDEF05", user, "DEMO", "DEMO"})}).AsInteger();
}

}  // namespace

class NexordAuth : public OnEveryBackend<DataPathFixture> {};
TDEF_ON_EVERY_BACKEND(NexordAuth);

TEST_P(NexordAuth, NothingIsAnsweredBeforeTheClientProvesAUser) {
    NexordProcess daemon(dbPath_, "127.0.0.2", {}, {}, NexordProcess::Trust::Passwords);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();

    // A hello alone, then straight to the users' table: refused at the hello, the call never runs.
    RawClient raw("127.0.0.2", daemon.Port());
    ASSERT_TRUE(raw.Valid());
    raw.Hello();
    EXPECT_EQ(raw.Answer(), "error: The server asks for a user and password");
    try {
        raw.Call("SimpleSql", {VarArrayOf({"SELECT MA001 FROM RKTMA", "MA001"})});
    } catch (const Exception&) {
        // the server may have closed already
    }
    EXPECT_EQ(raw.Answer(), "closed");

    // The socket connection without a user is refused the same way, with the reason.
    TSocketConnection anonymous;
    anonymous.Address = "127.0.0.2";
    anonymous.Port = daemon.Port();
    anonymous.ServerName = "Nexor01S.Class1";
    try {
        anonymous.Open();
        ADD_FAILURE() << "a client without a user was served";
    } catch (const ESocketConnectionError& e) {
        EXPECT_NE(e.Message().find("The server asks for a user and password"), std::string::npos) << e.Message();
    }
}

TEST_P(NexordAuth, PasswordLoginServesThatUserOnlyAndIssuesATicket) {
    NexordProcess daemon(dbPath_, "127.0.0.2", {}, {}, NexordProcess::Trust::Passwords);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();

    std::shared_ptr<TRemoteSession> session;
    ASSERT_EQ(TryOpen(daemon, As("ds", "admin"), &session), "");  // ids without regard to case
    EXPECT_EQ(session->User(), "DS");
    EXPECT_EQ(session->IssuedTicket().size(), 64u);
    EXPECT_EQ(session->Endpoint().Password, "");  // not kept once the proof went out
    EXPECT_EQ(ConnectAs(*session, "DS"), 0);
    // Another user's rights are not to be had by naming him.
    EXPECT_EQ(ConnectAs(*session, "CLERK"), 2);
    EXPECT_NE(VarToStr(OleGet(session->Root(), "LastError")).find("cannot connect as 'CLERK'"), std::string::npos);

    // The ticket opens further sessions of the same user, without the password; a made-up one does not.
    TRemoteEndpoint byTicket;
    byTicket.Ticket = session->IssuedTicket();
    std::shared_ptr<TRemoteSession> second;
    ASSERT_EQ(TryOpen(daemon, byTicket, &second), "");
    EXPECT_EQ(second->User(), "DS");
    EXPECT_EQ(second->IssuedTicket(), "");
    EXPECT_EQ(ConnectAs(*second, "CLERK"), 2);
    EXPECT_EQ(ConnectAs(*second, "DS"), 0);
    byTicket.ServerName = "PickvuS.Class1";
    EXPECT_EQ(TryOpen(daemon, byTicket), "");
    byTicket.Ticket = std::string(64, 'a');
    EXPECT_NE(TryOpen(daemon, byTicket).find("The session ticket is not valid"), std::string::npos);

    // The other demo users log in with their own passwords.
    std::shared_ptr<TRemoteSession> clerk;
    ASSERT_EQ(TryOpen(daemon, As("CLERK", "clerk"), &clerk), "");
    EXPECT_EQ(ConnectAs(*clerk, "CLERK"), 0);
    // A logged-in user can neither read the password keys nor give the administrator a password he knows.
    std::string known = HexText(MakeScramVerifier("mine", kScramMinIterations).StoredKey);
    for (const std::string& sql : {std::string("SELECT * FROM RKTPW"), std::string("SELECT PW004 FROM \"rktpw\""),
                                   std::string("SELECT PW004 FROM 'RKTPW'"), std::string("SELECT * FROM DEMO..[RKTPW]"),
                                   "UPDATE RKTPW SET PW004 = '" + known + "' WHERE PW001 = 'DS'"}) {
        try {
            OleCall(clerk->Root(), "SimpleSql", {VarArrayOf({sql, ""})});
            ADD_FAILURE() << sql << " ran";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find("is not allowed in SQL sent to the server"), std::string::npos)
                << sql << ": " << e.Message();
        }
    }
    EXPECT_EQ(Value("SELECT COUNT(*) FROM RKTPW WHERE PW004 = ?", {known}).AsInteger(), 0);
    EXPECT_NE(daemon.Log().find("opened for Nexor01S.Class1 as CLERK (password)"), std::string::npos) << daemon.Log();
}

TEST_P(NexordAuth, WrongPasswordsAreRefusedAndFiveInARowMakeTheUserWait) {
    NexordProcess daemon(dbPath_, "127.0.0.2", {"--login-delay", "2"}, {}, NexordProcess::Trust::Passwords);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();

    // A wrong password and an unknown user read the same.
    EXPECT_NE(TryOpen(daemon, As("DS", "wrong")).find("用户或密码不正确"), std::string::npos);
    EXPECT_NE(TryOpen(daemon, As("NOBODY", "admin")).find("用户或密码不正确"), std::string::npos);
    // A right password after a wrong one is fine: only failures in a row count.
    EXPECT_EQ(TryOpen(daemon, As("DS", "admin")), "");

    for (int i = 0; i < 5; ++i)
        EXPECT_NE(TryOpen(daemon, As("DS", "guess" + std::to_string(i))).find("用户或密码不正确"), std::string::npos);
    // Now even the right password waits; other users do not.
    std::string refused = TryOpen(daemon, As("DS", "admin"));
    EXPECT_NE(refused.find("密码连续输错次数过多"), std::string::npos) << refused;
    EXPECT_EQ(TryOpen(daemon, As("CLERK", "clerk")), "");
    std::this_thread::sleep_for(std::chrono::milliseconds(2200));
    EXPECT_EQ(TryOpen(daemon, As("DS", "admin")), "");
    EXPECT_NE(daemon.Log().find("wrong password for DS"), std::string::npos);
}

TEST_P(NexordAuth, AHelloMayNameOnlyTheServersNexordServes) {
    NexordProcess daemon(dbPath_, "127.0.0.2", {}, {}, NexordProcess::Trust::Passwords);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    TRemoteEndpoint other = As("DS", "admin");
    other.ServerName = "TorvaneWorkCenter.Manager";
    EXPECT_NE(TryOpen(daemon, other).find("This server does not serve TorvaneWorkCenter.Manager"), std::string::npos);
    other.ServerName = "pickvus.class1";
    EXPECT_EQ(TryOpen(daemon, other), "");
}

TEST_P(NexordAuth, LoopbackIsTrustedOnlyWhenConfiguredAndANewPasswordReplacesTheOld) {
    {
        NexordProcess trusting(dbPath_);  // --trust-loopback
        ASSERT_GT(trusting.Port(), 0) << trusting.Log();
        std::shared_ptr<TRemoteSession> session;
        ASSERT_EQ(TryOpen(trusting, TRemoteEndpoint{}, &session), "");
        EXPECT_EQ(session->User(), "");
        EXPECT_EQ(ConnectAs(*session, "CLERK"), 0);
    }
    // An administrator sets a password from the command line; the old one no longer opens a session.
    int status = -1;
    {
        FILE* pipe = popen(("printf 'n3w pass\\n' | " + std::string(std::getenv("TDEF_BIN") ? std::getenv("TDEF_BIN") : ".") +
                            "/nexord --database '" + dbPath_ + "' --set-password clerk 2>/dev/null")
                               .c_str(),
                           "r");
        ASSERT_NE(pipe, nullptr);
        status = pclose(pipe);
    }
    EXPECT_EQ(status, 0);
    std::string stored;
    ASSERT_TRUE(StoredPassword(Db(), "CLERK", stored).has_value());
    EXPECT_EQ(Value("SELECT COUNT(*) FROM RKTPW WHERE PW002 LIKE '%n3w%' OR PW004 LIKE '%n3w%'").AsInteger(), 0);
    NexordProcess daemon(dbPath_, "127.0.0.2", {}, {}, NexordProcess::Trust::Passwords);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    EXPECT_NE(TryOpen(daemon, As("CLERK", "clerk")).find("用户或密码不正确"), std::string::npos);
    EXPECT_EQ(TryOpen(daemon, As("CLERK", "n3w pass")), "");
}
