// Opening the data module's connections at the configured server.
#include "RadicalFixture.h"
#include "toolkit/rtl/Exception.h"

TEST_F(RadicalFixture, OpeningTheDataConnectionConnectsTheProgramAndRunsTheHooksInOrder) {
    EXPECT_TRUE(dm->ConnectOption);
    ASSERT_TRUE(Connect());

    EXPECT_TRUE(dm->MIDAS.Connected());
    EXPECT_TRUE(dm->AppServer.IsDispatch());
    EXPECT_EQ(dm->MIDAS.Address, "127.0.0.1");
    EXPECT_EQ(dm->MIDAS.Port, 211);
    // The program information the server sent at connect time.
    EXPECT_EQ(brokers->ProgramInfo.Values("M11_TABLE"), "ADMMA");
    EXPECT_FALSE(brokers->ProgramInfo.Values("USER_GROUP").empty());
    // Lookup connection, then the after-connect hook, then the provider datasets.
    EXPECT_EQ(dm->hooks, (std::vector<int>{18, 16, 20}));
    EXPECT_TRUE(dm->scLookUpData.Connected());
    EXPECT_TRUE(dm->cdsMain->Active());
    EXPECT_TRUE(dm->cdsSaveCondition->Active());
    EXPECT_EQ(dm->cdsSaveCondition->IndexName(), "Index1");
    // Rows are stamped with the server's date.
    EXPECT_EQ(dm->Today, VarToStr(dm->WhatIs("TODAY")));
    EXPECT_EQ(dm->Today.size(), 8u);

    dm->CloseConnections();
    EXPECT_FALSE(dm->MIDAS.Connected());
    EXPECT_FALSE(dm->scLookUpData.Connected());
    EXPECT_TRUE(dm->WhatIs("TODAY").IsEmpty());
}

TEST_F(RadicalFixture, ARefusedLoginStillRunsTheHooksButDoesNotCountAsOpen) {
    // A refused session serves no provider: these datasets stay closed for the test.
    dm->cdsMain->ProviderName.clear();
    dm->cdsSaveCondition->ProviderName.clear();
    EXPECT_FALSE(Connect("ADMI02", "NOBODY"));
    EXPECT_EQ(dm->hooks, (std::vector<int>{18, 16, 20}));
    EXPECT_FALSE(Connect("NOSUCH", "DS"));
    EXPECT_TRUE(Connect("ADMI02", "DS"));
}

TEST_F(RadicalFixture, WithoutAConfiguredServerOpeningFailsWithTheConnectionError) {
    WriteFile(client_ + "VandrilC.ini", "[Server Information]\nComputerName=;\n");
    EXPECT_THROW(dm->OpenDataConnection(), ESocketConnectionError);
    EXPECT_TRUE(dm->hooks.empty());
    EXPECT_FALSE(dm->MIDAS.Connected());
}

TEST_F(RadicalFixture, DataModulesAreBuiltFromClassReferencesWithTheirComponents) {
    TRadicalDataModuleClass cls = TRadicalDataModuleClass::Of<TdmRadical>();
    TOwnedPtr<TdmRadical> module(static_cast<TdmRadical*>(cls.Create(nullptr)));
    EXPECT_TRUE(module->ConnectOption);
    EXPECT_EQ(module->MIDAS.ServerName, "Nexor01S.Class1");
    EXPECT_EQ(module->scLookUpData.ServerName, "PickvuS.Class1");
    EXPECT_EQ(module->scLookUpData.ServerGUID, "{BB19C8CE-93C6-11D2-B924-0080C8938389}");
    EXPECT_EQ(module->FindComponent("cdsSaveCondition"), module->cdsSaveCondition);
    EXPECT_EQ(module->cdsSaveCondition->ProviderName, "pvdConSave");
    EXPECT_NE(module->FindComponent("SOB"), nullptr);
    EXPECT_TRUE(TdmRadical::IsSystemColumn("usr_group"));
    EXPECT_TRUE(TdmRadical::IsSystemColumn("Modi_Date"));
    EXPECT_FALSE(TdmRadical::IsSystemColumn("MC001"));
    EXPECT_FALSE(TdmRadical::IsSystemColumn("FLAGS"));
}
