// What one client may cost a real nexord: frames, values, sessions and idle time are bounded, and a
// client that breaks a bound learns why.
#include <gtest/gtest.h>

#include <thread>

#include "DataPathFixture.h"
#include "NexordProcess.h"
#include "RawClient.h"

namespace {

constexpr long long kMiB = 1024;  // in KiB, as /proc reports memory

// A frame header announcing `length` bytes, followed by a few of them.
std::string FrameStart(std::uint32_t length) {
    std::string header(4, '\0');
    for (int i = 0; i < 4; ++i) header[static_cast<std::size_t>(i)] = static_cast<char>((length >> (8 * (3 - i))) & 0xFF);
    return header + std::string(16, '\x03');
}

}  // namespace

class NexordFrames : public DataPathFixture {};

TEST_F(NexordFrames, AnAnnouncedLengthCostsNothingUntilItsBytesArrive) {
    // A large frame limit, so that the announced frames are within it and only their bytes are missing.
    NexordProcess daemon(dbPath_, "127.0.0.2", {"--max-frame", "268435456", "--frame-timeout", "60"});
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    RawClient probe(daemon.Address(), daemon.Port());
    probe.Hello();
    ASSERT_EQ(probe.Answer(), "welcome");
    long long before = ResidentKiB(daemon.Pid());

    std::vector<std::unique_ptr<RawClient>> clients;
    for (int i = 0; i < 4; ++i) {
        auto c = std::make_unique<RawClient>(daemon.Address(), daemon.Port());
        c->Hello();
        ASSERT_EQ(c->Answer(), "welcome");
        c->Send(FrameStart(200u * 1024u * 1024u));  // 200 MiB announced, 16 bytes sent
        clients.push_back(std::move(c));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_LT(ResidentKiB(daemon.Pid()) - before, 32 * kMiB) << "four announced frames of 200 MiB";

    // The server still answers everyone else.
    probe.Call("WhatIs", {Variant("SQLTYPE")});
    EXPECT_EQ(probe.Answer(), "result");
}

TEST_F(NexordFrames, AFrameOfTooManyValuesOrBegunAndNeverFinishedEndsItsSession) {
    NexordProcess daemon(dbPath_, "127.0.0.2", {"--max-values", "100000", "--frame-timeout", "1"});
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    long long before = ResidentKiB(daemon.Pid());

    // 1,500,000 empty values take 1.5 MB on the wire and would take about 100 MB decoded.
    RawClient flood(daemon.Address(), daemon.Port());
    flood.Hello();
    ASSERT_EQ(flood.Answer(), "welcome");
    flood.Call("WhatIs", {Variant::MakeArray({{0, 1499999}})});
    EXPECT_EQ(flood.Answer(), "closed");
    EXPECT_TRUE(daemon.WaitForLog("more than 100000 values in one message", 5000)) << daemon.Log();
    EXPECT_LT(ResidentKiB(daemon.Pid()) - before, 48 * kMiB);

    // A frame begun and left unfinished: closed once the frame's time is up, with the reason logged.
    RawClient stalled(daemon.Address(), daemon.Port());
    stalled.Hello();
    ASSERT_EQ(stalled.Answer(), "welcome");
    stalled.Send(FrameStart(1000));
    EXPECT_EQ(stalled.Answer(4000), "closed");
    EXPECT_TRUE(daemon.WaitForLog("timed out in the middle of a message", 2000)) << daemon.Log();

    // The default frame limit is 16 MiB: a larger announced frame is refused at once.
    NexordProcess plain(dbPath_);
    RawClient big(plain.Address(), plain.Port());
    big.Hello();
    ASSERT_EQ(big.Answer(), "welcome");
    big.Send(FrameStart(17u * 1024u * 1024u));
    EXPECT_EQ(big.Answer(), "closed");
    EXPECT_TRUE(plain.WaitForLog("exceeds the limit of 16777216 bytes", 5000)) << plain.Log();
}

TEST_F(NexordFrames, SessionsAreCountedPerServerAndPerAddressAndIdleOnesAreClosed) {
    NexordProcess daemon(dbPath_, "127.0.0.2", {"--max-sessions", "4", "--max-sessions-per-peer", "3", "--idle-timeout", "2"});
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();

    // One address takes its three sessions; its fourth is refused with the reason.
    std::vector<std::unique_ptr<RawClient>> greedy;
    for (int i = 0; i < 4; ++i) {
        greedy.push_back(std::make_unique<RawClient>(daemon.Address(), daemon.Port(), "127.0.0.3"));
        ASSERT_TRUE(greedy.back()->Valid());
        greedy.back()->Hello();
    }
    for (int i = 0; i < 3; ++i) EXPECT_EQ(greedy[static_cast<std::size_t>(i)]->Answer(), "welcome");
    EXPECT_EQ(greedy[3]->Answer(),
              "error: Too many sessions from 127.0.0.3: 3 are open, the most the server allows one address.");

    // Another address still gets the last session; the one after it hears that the server is full.
    DocumentClient colleague(daemon.Address(), daemon.Port());
    colleague.Open();
    RawClient late(daemon.Address(), daemon.Port(), "127.0.0.5");
    late.Hello();
    EXPECT_EQ(late.Answer(), "error: The server is busy: 4 sessions are open, the most it serves at once. Try again later.");

    // Silent sessions are closed after the idle time, and told so; a working session is not idle.
    for (int i = 0; i < 8; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        EXPECT_EQ(OleCall(colleague.Server(), "WhatIs", {"SQLTYPE"}).AsInteger(), 0);
    }
    EXPECT_EQ(greedy[0]->Answer(1000), "error: The server closed the session: no call within 2 s");
    EXPECT_TRUE(daemon.WaitForLog("closed: no call within 2 s", 2000)) << daemon.Log();
    RawClient next(daemon.Address(), daemon.Port(), "127.0.0.3");
    next.Hello();
    EXPECT_EQ(next.Answer(), "welcome");
}

TEST_F(NexordFrames, TheSessionLimitFollowsTheDescriptorsTheDaemonMayOpen) {
    // Started as `prlimit --nofile=64 nexord ...`: idle sessions must not take the descriptors that a
    // working session needs; clients beyond the limit get a clear refusal instead of silence.
    NexordProcess daemon(dbPath_, "127.0.0.2", {}, {"prlimit", "--nofile=64:64"});
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    ASSERT_TRUE(daemon.WaitForLog("sessions at most", 1000)) << daemon.Log();

    std::vector<std::unique_ptr<RawClient>> idle;
    int welcomed = 0, refused = 0;
    for (int i = 0; i < 58; ++i) {
        idle.push_back(std::make_unique<RawClient>(daemon.Address(), daemon.Port(), "127.0.0.3"));
        idle.back()->Hello();
        std::string answer = idle.back()->Answer();
        welcomed += answer == "welcome";
        refused += answer.rfind("error: The server is busy", 0) == 0;
    }
    EXPECT_GT(welcomed, 0);
    EXPECT_EQ(welcomed + refused, 58) << daemon.Log();
    // As many working sessions as it admits can all work at once: each opens the company's documents.
    idle.clear();
    ASSERT_TRUE(daemon.WaitForLog("closed: client closed the connection", 2000));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::vector<std::unique_ptr<DocumentClient>> working;
    for (int i = 0; i < welcomed; ++i) {
        working.push_back(std::make_unique<DocumentClient>(daemon.Address(), daemon.Port()));
        working.back()->Open();
    }
    for (auto& c : working) EXPECT_EQ(OleCall(c->Server(), "GetRecCount").AsInteger(), Count("SELECT COUNT(*) FROM ADMMC"));
}
