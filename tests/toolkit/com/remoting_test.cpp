#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <limits>
#include <mutex>
#include <thread>

#include "toolkit/com/ComObj.h"
#include "toolkit/com/RemoteClient.h"
#include "toolkit/com/RemoteListener.h"
#include "toolkit/data/SocketConnection.h"

namespace {

// Exact sameness: kind, bounds and every element (doubles bit for bit).
bool Same(const Variant& a, const Variant& b) {
    if (a.Type() != b.Type()) return false;
    switch (a.Type()) {
        case VarType::Empty:
        case VarType::Null: return true;
        case VarType::Boolean: return a.AsBool() == b.AsBool();
        case VarType::Integer: return a.AsInt64() == b.AsInt64();
        case VarType::Double: {
            double x = a.AsDouble(), y = b.AsDouble();
            return std::memcmp(&x, &y, sizeof x) == 0;
        }
        case VarType::Date: return a.AsDateTime() == b.AsDateTime();
        case VarType::String: return a.AsString() == b.AsString();
        case VarType::Bytes: return a.AsBytes() == b.AsBytes();
        case VarType::Array: {
            if (a.DimCount() != b.DimCount()) return false;
            for (int d = 1; d <= a.DimCount(); ++d)
                if (a.Low(d) != b.Low(d) || a.High(d) != b.High(d)) return false;
            // 64-bit indexes: a bound may be INT_MAX.
            if (a.DimCount() == 1) {
                for (long long i = a.Low(); i <= a.High(); ++i)
                    if (!Same(a[static_cast<int>(i)], b[static_cast<int>(i)])) return false;
            } else {
                for (long long i = a.Low(1); i <= a.High(1); ++i)
                    for (long long j = a.Low(2); j <= a.High(2); ++j)
                        if (!Same(a.At(static_cast<int>(i), static_cast<int>(j)), b.At(static_cast<int>(i), static_cast<int>(j))))
                            return false;
            }
            return true;
        }
        default: return false;
    }
}

// What the tests' server objects can do.
class EchoServer : public TDispatchObject {
public:
    explicit EchoServer(std::atomic<int>* alive = nullptr) : alive_(alive) {
        if (alive_) ++*alive_;
        DefineMethod("Echo", [](VarArgs& a) { return a.at(0); });
        DefineMethod("Fill", [](VarArgs& a) {
            // a[0] in, a[1] and a[2] out; a[3] by value must stay as the caller had it.
            a[1].Assign(Variant(a[0].AsInteger() * 2));
            a[2].Assign(VarArrayOf({"x", Variant::Null()}));
            a[3].Assign(Variant("changed"));
            return Variant(true);
        });
        DefineMethod("Child", [this](VarArgs& a) {
            auto child = std::make_shared<EchoServer>(alive_);
            child->name_ = a.empty() ? "child" : a[0].AsString();
            return Variant(DispatchPtr(child));
        });
        DefineMethod("NameOf", [](VarArgs& a) { return OleGet(a.at(0), "Name"); });
        DefineProperty(
            "Name", [this] { return Variant(name_); }, [this](const Variant& v) { name_ = v.AsString(); });
        DefineMethod("Fail", [](VarArgs&) -> Variant { throw EDatabaseError("table is locked"); });
        DefineMethod("Wait", [](VarArgs& a) {
            std::this_thread::sleep_for(std::chrono::milliseconds(a.at(0).AsInteger()));
            return Variant(1);
        });
    }
    ~EchoServer() override {
        if (alive_) --*alive_;
    }

private:
    std::atomic<int>* alive_;
    std::string name_ = "root";
};

class RemotingTest : public ::testing::Test {
protected:
    void SetUp() override { StartListener(kDefaultMaxFrame); }
    void TearDown() override { listener_.reset(); }

    void StartListener(std::size_t maxFrame) {
        TRemoteListenerOptions options;
        options.Address = "127.0.0.1";
        options.MaxFrame = maxFrame;
        options.CreateObject = [this](const std::string& progId, const TRemoteIdentity&) -> DispatchPtr {
            if (progId != "Test.Echo") throw EOleError("Invalid class string: " + progId);
            return std::make_shared<EchoServer>(&alive_);
        };
        options.Log = [this](const std::string& line) {
            std::lock_guard<std::mutex> lock(logMutex_);
            log_ += line + "\n";
            logChanged_.notify_all();
        };
        listener_ = std::make_unique<TRemoteListener>(options);
        listener_->Start();
    }

    TRemoteEndpoint Endpoint(const std::string& server = "Test.Echo") const {
        TRemoteEndpoint e;
        e.Address = "127.0.0.1";
        e.Port = listener_->Port();
        e.ServerName = server;
        e.ConnectTimeoutMs = 2000;
        e.CallTimeoutMs = 10000;
        return e;
    }

    // Waits (bounded) until the log holds the text; returns the log.
    std::string WaitForLog(const std::string& text) {
        std::unique_lock<std::mutex> lock(logMutex_);
        logChanged_.wait_for(lock, std::chrono::seconds(10), [&] { return log_.find(text) != std::string::npos; });
        return log_;
    }

    static std::string ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const Exception& e) {
            return std::string(e.ClassName()) + ": " + e.Message();
        }
        return "no error";
    }

    std::atomic<int> alive_{0};
    std::unique_ptr<TRemoteListener> listener_;
    std::mutex logMutex_;
    std::condition_variable logChanged_;
    std::string log_;
};

}  // namespace

TEST_F(RemotingTest, EveryVariantKindCrossesUnchanged) {
    auto session = TRemoteSession::Open(Endpoint());
    Variant server = session->Root();

    Variant twoDim = VarArrayCreate(-1, 0, 5, 7);
    for (int i = -1; i <= 0; ++i)
        for (int j = 5; j <= 7; ++j) twoDim.At(i, j) = Variant(i * 10 + j);
    twoDim.At(0, 6) = VarArrayOf({"nested", VarArrayOf({1, 2.5})});
    // Bounds at the end of the integers (the decoder once stepped its index past INT_MAX).
    constexpr int kTop = std::numeric_limits<int>::max();
    Variant atTheTop = VarArrayCreate(kTop - 1, kTop);
    atTheTop[kTop - 1] = Variant(1);
    atTheTop[kTop] = Variant("顶");
    Variant bounded = VarArrayCreate(3, 5);
    bounded[3] = Variant("三");
    bounded[4] = Variant::Null();
    std::string withZero("a\0b", 3);

    std::vector<Variant> values{Variant(),
                                Variant::Null(),
                                Variant(true),
                                Variant(false),
                                Variant(std::numeric_limits<long long>::min()),
                                Variant(std::numeric_limits<long long>::max()),
                                Variant(-0.1),
                                Variant(1e300),
                                Variant::Date(45292.75),
                                Variant(""),
                                Variant("文档信息录入作业"),
                                Variant(withZero),
                                Variant(Bytes{0, 255, 1, 128}),
                                Variant(Bytes{}),
                                VarArrayOf({}),
                                VarArrayCreate(0, -1, 0, -1),
                                bounded,
                                atTheTop,
                                twoDim,
                                VarArrayOf({VarArrayOf({VarArrayOf({Variant("deep")})}), Variant::Date(1.5)})};
    for (const Variant& v : values) {
        Variant back = OleCall(server, "Echo", {v});
        EXPECT_TRUE(Same(back, v)) << "sent " << VarDebugText(v) << ", got " << VarDebugText(back);
    }
    EXPECT_EQ(OleCall(server, "Echo", {Variant(withZero)}).AsString().size(), 3u);
}

TEST(WireReader, RefusesArraysTheFrameCannotHoldAndFramesOfTooManyValues) {
    auto refusal = [](const std::string& payload, std::size_t maxValues) {
        try {
            TWireReader(payload, nullptr, maxValues).Value();
        } catch (const ERemoteProtocolError& e) {
            return e.Message();
        }
        return std::string("no error");
    };
    auto u32 = [](std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    const std::string array(1, static_cast<char>(VarType::Array));
    // No rows of 2^31 columns: the empty first dimension must not let the second through.
    EXPECT_EQ(refusal(array + '\x02' + u32(1) + u32(0) + u32(0) + u32(0x7FFFFFFF), 0),
              "malformed frame: array larger than the frame");
    // Ten values where the reader takes five, counted before the array is made.
    TWireWriter ten;
    ten.Value(VarArrayCreate(0, 9));
    EXPECT_EQ(refusal(ten.Frame().substr(4), 5), "malformed frame: more than 5 values in one message");
    EXPECT_EQ(refusal(ten.Frame().substr(4), 11), "no error");
}

TEST_F(RemotingTest, OutArgumentsComeBackAndValuesStayPut) {
    auto session = TRemoteSession::Open(Endpoint());
    Variant server = session->Root();
    Variant doubled, list, byValue("mine");
    VarArgs args{Variant(21), Variant::Ref(&doubled), Variant::Ref(&list), byValue};
    EXPECT_EQ(OleCall(server, "Fill", args), Variant(true));
    EXPECT_EQ(doubled, Variant(42));
    ASSERT_TRUE(list.IsArray());
    EXPECT_EQ(list[0], Variant("x"));
    EXPECT_TRUE(list[1].IsNull());
    EXPECT_EQ(byValue, Variant("mine"));
}

TEST_F(RemotingTest, ObjectsHandedOutBecomeProxiesAndDieWithTheirLastProxy) {
    auto session = TRemoteSession::Open(Endpoint());
    Variant server = session->Root();
    Variant child = OleCall(server, "Child", {"first"});
    ASSERT_TRUE(child.IsDispatch());
    EXPECT_EQ(OleGet(child, "Name"), Variant("first"));
    OlePut(child, "Name", Variant("renamed"));
    EXPECT_EQ(OleGet(child, "Name"), Variant("renamed"));
    // A proxy sent back reaches the very object on the server.
    EXPECT_EQ(OleCall(server, "NameOf", {child}), Variant("renamed"));
    EXPECT_EQ(alive_.load(), 2);

    child = Variant();  // the release travels ahead of the next call
    EXPECT_EQ(OleGet(server, "Name"), Variant("root"));
    EXPECT_EQ(alive_.load(), 1);

    // Objects of this process cannot be passed to the server.
    EXPECT_EQ(ErrorOf([&] { OleCall(server, "NameOf", {Variant(DispatchPtr(std::make_shared<EchoServer>()))}); }),
              "EOleError: An automation object of this process cannot be passed to a remote server");
}

TEST_F(RemotingTest, ServerErrorsArriveAsTheirKindAndTheSessionGoesOn) {
    auto session = TRemoteSession::Open(Endpoint());
    Variant server = session->Root();
    EXPECT_EQ(ErrorOf([&] { OleCall(server, "Fail"); }), "EDatabaseError: table is locked");
    EXPECT_EQ(ErrorOf([&] { OleCall(server, "NoSuchMember"); }), "EOleError: Unknown name.");
    EXPECT_EQ(OleCall(server, "Echo", {7}), Variant(7));
    EXPECT_EQ(ErrorOf([&] { TRemoteSession::Open(Endpoint("Other.Thing")); }),
              "ESocketConnectionError: Unable to connect to 127.0.0.1:" + std::to_string(listener_->Port()) +
                  ": Invalid class string: Other.Thing");
}

TEST_F(RemotingTest, MalformedOrOversizedFrameEndsOnlyThatSession) {
    listener_.reset();
    StartListener(1024 * 1024);
    auto good = TRemoteSession::Open(Endpoint());
    Variant server = good->Root();
    EXPECT_EQ(OleCall(server, "Echo", {1}), Variant(1));

    // A call whose array claims more elements than the frame holds.
    {
        TSocket raw = TSocket::Connect("127.0.0.1", listener_->Port(), 2000);
        TWireWriter hello;
        hello.Message(TRemoteMessage::Hello);
        hello.U32(kRemoteProtocolVersion);
        hello.Str("Test.Echo");
        raw.SendAll(hello.Frame(), 2000);
        std::string payload;
        ASSERT_EQ(raw.ReadFrame(payload, kDefaultMaxFrame, 5000), TSocket::ReadStatus::Frame);
        TWireWriter call;
        call.Message(TRemoteMessage::Call);
        call.U64(1);
        call.Str("Echo");
        call.U8(0);
        call.U32(1);
        call.U8(0);
        call.U8(static_cast<std::uint8_t>(VarType::Array));
        call.U8(1);
        call.U32(0);
        call.U32(1000000);
        raw.SendAll(call.Frame(), 2000);
        EXPECT_EQ(raw.ReadFrame(payload, kDefaultMaxFrame, 5000), TSocket::ReadStatus::Closed);
        EXPECT_NE(WaitForLog("array larger than the frame").find("malformed frame"), std::string::npos);
    }
    // A frame announced larger than the limit.
    {
        TSocket raw = TSocket::Connect("127.0.0.1", listener_->Port(), 2000);
        raw.SendAll(std::string("\x7f\x00\x00\x00", 4), 2000);
        std::string payload;
        EXPECT_EQ(raw.ReadFrame(payload, kDefaultMaxFrame, 5000), TSocket::ReadStatus::Closed);
        EXPECT_NE(WaitForLog("exceeds the limit").find("frame of 2130706432 bytes exceeds the limit of 1048576 bytes"),
                  std::string::npos);
    }
    // Garbage instead of a hello.
    {
        TSocket raw = TSocket::Connect("127.0.0.1", listener_->Port(), 2000);
        raw.SendAll(std::string("\x00\x00\x00\x02\x09\x09", 6), 2000);
        std::string payload;
        EXPECT_EQ(raw.ReadFrame(payload, kDefaultMaxFrame, 5000), TSocket::ReadStatus::Closed);
        EXPECT_NE(WaitForLog("unknown message kind 9").find("malformed frame"), std::string::npos);
    }
    EXPECT_EQ(OleCall(server, "Echo", {"still here"}), Variant("still here"));
}

TEST_F(RemotingTest, NoServerGivesTheConnectionErrorQuickly) {
    // A port nobody listens on.
    int port;
    {
        TSocket probe = TSocket::Listen("127.0.0.1", 0);
        port = probe.LocalPort();
    }
    TRemoteEndpoint e = Endpoint();
    e.Port = port;
    EXPECT_EQ(ErrorOf([&] { TRemoteSession::Open(e); }),
              "ESocketConnectionError: Unable to connect to 127.0.0.1:" + std::to_string(port) + ": Connection refused");

    // A port that accepts connections at the kernel level but never answers.
    TSocket silent = TSocket::Listen("127.0.0.1", 0);
    e.Port = silent.LocalPort();
    e.ConnectTimeoutMs = 200;
    EXPECT_EQ(ErrorOf([&] { TRemoteSession::Open(e); }),
              "ESocketConnectionError: Unable to connect to 127.0.0.1:" + std::to_string(e.Port) + ": no answer within 200 ms");

    e.Address.clear();
    EXPECT_EQ(ErrorOf([&] { TRemoteSession::Open(e); }),
              "ESocketConnectionError: Unable to connect to :" + std::to_string(e.Port) + ": no address given");
}

TEST_F(RemotingTest, SlowCallTimesOutAndClosesTheSession) {
    TRemoteEndpoint e = Endpoint();
    e.CallTimeoutMs = 50;
    auto session = TRemoteSession::Open(e);
    Variant server = session->Root();
    EXPECT_EQ(
        ErrorOf([&] { OleCall(server, "Wait", {400}); }),
        "ESocketConnectionError: Connection to 127.0.0.1:" + std::to_string(e.Port) + " lost: no answer to Wait within 50 ms");
    EXPECT_FALSE(session->Active());
    EXPECT_EQ(ErrorOf([&] { OleCall(server, "Echo", {1}); }),
              "ESocketConnectionError: Connection to 127.0.0.1:" + std::to_string(e.Port) + " lost: not connected");
}

TEST_F(RemotingTest, StoppingTheListenerEndsSessionsAndFreesTheirObjects) {
    auto a = TRemoteSession::Open(Endpoint());
    auto b = TRemoteSession::Open(Endpoint());
    Variant serverA = a->Root(), serverB = b->Root();
    EXPECT_EQ(OleCall(serverA, "Echo", {1}), Variant(1));
    EXPECT_EQ(OleCall(serverB, "Echo", {2}), Variant(2));
    EXPECT_EQ(listener_->SessionCount(), 2);
    EXPECT_EQ(alive_.load(), 2);
    listener_->Stop();
    EXPECT_EQ(alive_.load(), 0);
    EXPECT_NE(ErrorOf([&] { OleCall(serverA, "Echo", {1}); }).find("ESocketConnectionError: Connection to 127.0.0.1"),
              std::string::npos);
}

TEST_F(RemotingTest, SocketConnectionCreatesInProcessOrConnectsToTheDaemon) {
    RegisterOleClass("Test.Echo", [](const std::string&) { return std::make_shared<EchoServer>(); });
    TSocketConnection local;
    local.Address = "127.0.0.1";
    local.ServerName = "Test.Echo";
    EXPECT_FALSE(local.Connected());
    Variant inProcess = local.AppServer();  // asking for the server connects
    EXPECT_TRUE(local.Connected());
    EXPECT_EQ(dynamic_cast<TRemoteObject*>(inProcess.AsDispatch().get()), nullptr);
    EXPECT_EQ(alive_.load(), 0);  // made in this process, not by the listener
    UnregisterOleClass("Test.Echo");

    TSocketConnection remote;
    remote.Address = "127.0.0.1";
    remote.InProcessAddress.clear();
    remote.Port = listener_->Port();
    remote.ServerName = "Test.Echo";
    remote.Open();
    EXPECT_TRUE(remote.Connected());
    EXPECT_NE(dynamic_cast<TRemoteObject*>(remote.AppServer().AsDispatch().get()), nullptr);
    EXPECT_EQ(OleCall(remote.AppServer(), "Echo", {"hi"}), Variant("hi"));
    EXPECT_EQ(alive_.load(), 1);
    remote.Close();
    EXPECT_FALSE(remote.Connected());

    TSocketConnection empty;
    empty.ServerName = "Test.Echo";
    EXPECT_EQ(ErrorOf([&] { empty.Open(); }), "ESocketConnectionError: Unable to connect to :211: no address given");
    EXPECT_FALSE(empty.Connected());
}
