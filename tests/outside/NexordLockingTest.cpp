// Optimistic locking decided by a real nexord, whatever its clients do with FLAG.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "DataPathFixture.h"
#include "NexordProcess.h"
#include "toolkit/data/Packets.h"

namespace {

// Counts refusals instead of raising them.
struct Refusals {
    std::vector<std::string> messages;
    void Listen(TClientDataSet& ds) {
        ds.OnReconcileError = [this](TClientDataSet*, EReconcileError& e, TUpdateKind, TReconcileAction& action) {
            messages.push_back(e.Message());
            action = raCancel;
        };
    }
};

}  // namespace

class NexordLocking : public OnEveryBackend<DataPathFixture> {};
TDEF_ON_EVERY_BACKEND(NexordLocking);

TEST_P(NexordLocking, ClientsThatDoNotCountFlagLoseNoUpdate) {
    AddDocuments(1, 1);
    Db().Query("UPDATE ADMMD SET MD004 = '0' WHERE MD001 = 'D001'");
    NexordProcess daemon(dbPath_);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    constexpr int kClients = 8, kRounds = 25;
    std::atomic<int> applied{0}, refused{0};
    std::vector<std::string> failures(kClients);
    std::vector<std::thread> clients;
    for (int k = 0; k < kClients; ++k) {
        clients.emplace_back([&, k] {
            try {
                DocumentClient c(daemon.Address(), daemon.Port());
                Refusals r;
                r.Listen(c.body);
                for (int round = 0; round < kRounds; ++round) {
                    // Read, add one to the counter, save: FLAG is left as it was read.
                    c.Open("ADMMC.MC001 = 'D001'");
                    c.body.Edit();
                    c.body.FieldByName("MD004")->SetAsString(
                        std::to_string(std::stoi(c.body.FieldByName("MD004")->AsString()) + 1));
                    c.body.Post();
                    (c.main.ApplyUpdates(-1) == 0 && r.messages.empty() ? applied : refused)++;
                    r.messages.clear();
                }
            } catch (const std::exception& e) {
                failures[static_cast<std::size_t>(k)] = e.what();
            }
        });
    }
    for (auto& t : clients) t.join();
    for (const auto& f : failures) EXPECT_EQ(f, "");
    EXPECT_EQ(applied + refused, kClients * kRounds);
    EXPECT_GT(applied.load(), 0);
    // Every save that was answered as applied is in the counter; the server counted FLAG for each.
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001'").AsString(), std::to_string(applied.load()));
    EXPECT_EQ(Count("SELECT FLAG FROM ADMMD WHERE MD001 = 'D001'"), (1 + applied) % 1000);
}

TEST_P(NexordLocking, AStaleEditIsRefusedAfterTheCounterHasComeRound) {
    AddDocuments(1, 2);
    NexordProcess daemon(dbPath_);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    DocumentClient stale(daemon.Address(), daemon.Port()), late(daemon.Address(), daemon.Port()),
        busy(daemon.Address(), daemon.Port());
    for (DocumentClient* c : {&stale, &late, &busy}) c->Open("ADMMC.MC001 = 'D001'");

    // A thousand saves of both lines, stamped as the data modules stamp them: FLAG is 1 again.
    for (int save = 1; save <= 1000; ++save) {
        for (const char* line : {"0001", "0002"}) {
            ASSERT_TRUE(busy.body.Locate("MD002", Variant(line), {}));
            busy.body.Edit();
            busy.body.FieldByName("MD004")->SetAsString("第" + std::to_string(save) + "次");
            busy.body.FieldByName("MODI_DATE")->SetAsString("20250102");
            DocumentClient::BumpFlag(busy.body);
            busy.body.Post();
        }
        ASSERT_EQ(busy.main.ApplyUpdates(0), 0) << "save " << save;
    }
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'D001' AND FLAG = 1"), 2);

    // The edit read before them is refused, and so is deleting the line read before them.
    Refusals edit, removal;
    edit.Listen(stale.body);
    ASSERT_TRUE(stale.body.Locate("MD002", Variant("0001"), {}));
    stale.body.Edit();
    stale.body.FieldByName("MD004")->SetAsString("旧的");
    DocumentClient::BumpFlag(stale.body);
    stale.body.Post();
    EXPECT_EQ(stale.main.ApplyUpdates(0), 1);
    EXPECT_EQ(edit.messages, std::vector<std::string>{"Record changed by another user"});
    EXPECT_EQ(Value("SELECT MD004 FROM ADMMD WHERE MD001 = 'D001' AND MD002 = '0001'").AsString(), "第1000次");

    removal.Listen(late.body);
    ASSERT_TRUE(late.body.Locate("MD002", Variant("0002"), {}));
    late.body.Delete();
    EXPECT_EQ(late.main.ApplyUpdates(0), 1);
    EXPECT_EQ(removal.messages, std::vector<std::string>{"Record changed by another user"});
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ADMMD WHERE MD001 = 'D001'"), 2);
}

TEST_P(NexordLocking, AChangeOfAnUnknownKindIsRefusedNotSkipped) {
    AddDocuments(1, 1);
    NexordProcess daemon(dbPath_);
    ASSERT_GT(daemon.Port(), 0) << daemon.Log();
    DocumentClient c(daemon.Address(), daemon.Port());
    c.Open("ADMMC.MC001 = 'D001'");
    const std::vector<TFieldDef>& fields = c.main.FieldDefs().Items();
    std::vector<Variant> original(fields.size()), current(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) original[i] = fields[i].Name == "MC001" ? Variant("D001") : Variant::Null();
    current[1] = Variant("改了");
    Variant change = TDeltaBuilder::Change(10, ukModify, original, current, {});
    change[1] = Variant(7);
    Variant errors, owner;
    VarArgs args{Variant("pvdMain"), TDeltaBuilder::Build(fields, {change}), Variant(0), Variant::Ref(&errors),
                 Variant::Ref(&owner)};
    TErrorPacket packet = TErrorPacket::Read(OleCall(c.Server(), "AS_ApplyUpdates", args));
    EXPECT_EQ(errors.AsInteger(), 1);
    EXPECT_FALSE(packet.committed);
    ASSERT_EQ(packet.errors.size(), 1u);
    EXPECT_EQ(packet.errors[0].message, "Unknown change kind 7");
}
