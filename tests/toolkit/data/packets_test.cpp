#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "toolkit/data/Packets.h"

TEST(Packets, DataPacketCarriesMetadataAndNestedRows) {
    std::vector<TFieldDef> child{FieldDef("LINE", ftInteger, 0, true)};
    std::vector<TFieldDef> fields{FieldDef("CODE", ftString, 10, true), FieldDef("AMT", ftBCD), FieldDef("LINES", ftDataSet)};
    fields[1].Precision = 12;
    fields[1].Scale = 2;
    fields[2].ChildDefs = child;
    TPacketBuilder lines(child);
    lines.AddRow({Variant(1)});
    lines.AddRow({Variant(2)});
    TPacketBuilder builder(fields);
    builder.AddRow({Variant("A"), Variant(1.25), lines.Rows()});
    builder.AddRow({Variant("B")});  // missing values are null
    TDataPacket p = TDataPacket::Read(builder.Build(true));
    ASSERT_EQ(p.fields.size(), 3u);
    EXPECT_EQ(p.fields[0].Name, "CODE");
    EXPECT_EQ(p.fields[0].Size, 10);
    EXPECT_TRUE(p.fields[0].Required);
    EXPECT_EQ(p.fields[1].DataType, ftBCD);
    EXPECT_EQ(p.fields[1].Precision, 12);
    EXPECT_EQ(p.fields[1].Scale, 2);
    ASSERT_EQ(p.fields[2].ChildDefs.size(), 1u);
    EXPECT_EQ(p.fields[2].ChildDefs[0].Name, "LINE");
    EXPECT_TRUE(p.moreRows);
    EXPECT_EQ(p.RowCount(), 2);
    EXPECT_EQ(p.rows[0][2][1][0].AsInteger(), 2);
    EXPECT_TRUE(p.rows[1][1].IsNull());

    // A client dataset reads it, nested rows and all, and gives the same rows back.
    TClientDataSet ds, lineSet;
    ds.SetData(builder.Build());
    lineSet.SetDataSetField(static_cast<TDataSetField*>(ds.FieldByName("LINES")));
    EXPECT_EQ(lineSet.RecordCount(), 2);
    EXPECT_EQ(ds.FieldByName("AMT")->AsFloat(), 1.25);
    TDataPacket again = TDataPacket::Read(ds.Data());
    EXPECT_EQ(again.rows[0][2][0][0].AsInteger(), 1);
    // The dataset took its rows from a packet the caller still holds: the caller's stays whole (a
    // text beyond the string's inline buffer would be left empty by a move).
    const std::string longName(40, 'n');
    TPacketBuilder named(fields);
    named.AddRow({Variant("A"), Variant(1.25), lines.Rows()});
    named.AddRow({Variant(longName)});
    Variant kept = named.Build();
    TClientDataSet reader;
    reader.SetData(kept);
    reader.First();
    reader.Edit();
    reader.FieldByName("CODE")->SetAsString("changed");
    reader.Post();
    EXPECT_EQ(kept[2][0][0].AsString(), "A");
    EXPECT_EQ(kept[2][1][0].AsString(), longName);
    EXPECT_EQ(kept[2][0][2][1][0].AsInteger(), 2);
    reader.Last();
    EXPECT_EQ(reader.FieldByName("CODE")->AsString(), longName);
    EXPECT_THROW(DefsFromMetadata(VarArrayOf({VarArrayOf({Variant("X"), Variant("Nonsense"), Variant(0), Variant(false),
                                                          Variant(0), Variant(0), Variant(false), Variant()})})),
                 EDatabaseError);
}

TEST(Packets, ServerRowsThatAreShortOrHoldEmptyValuesReadAsNull) {
    std::vector<TFieldDef> child{FieldDef("LINE", ftInteger, 0, true)};
    std::vector<TFieldDef> fields{FieldDef("CODE", ftString, 10, true), FieldDef("AMT", ftBCD), FieldDef("LINES", ftDataSet)};
    fields[2].ChildDefs = child;
    TPacketBuilder lines(child);
    lines.AddRow({Variant(7)});
    lines.AddRow({Variant(8)});
    TPacketBuilder builder(fields);
    builder.AddRow({Variant("A")});
    builder.AddRow({Variant("B")});
    Variant packet = builder.Build();
    packet[2][0] = VarArrayOf({Variant("A")});  // ends before its nested rows
    packet[2][1] = VarArrayOf({Variant("B"), Variant(), lines.Rows()});
    TClientDataSet ds, lineSet;
    ds.SetData(packet);
    lineSet.SetDataSetField(static_cast<TDataSetField*>(ds.FieldByName("LINES")));
    ds.First();
    EXPECT_TRUE(ds.FieldByName("AMT")->IsNull());
    EXPECT_EQ(lineSet.RecordCount(), 0);
    ds.Next();
    EXPECT_EQ(ds.FieldByName("CODE")->AsString(), "B");
    EXPECT_TRUE(ds.FieldByName("AMT")->IsNull());
    ASSERT_EQ(lineSet.RecordCount(), 2);
    lineSet.Last();
    EXPECT_EQ(lineSet.FieldByName("LINE")->AsInteger(), 8);
    // Given back, the missing and empty values are Null and the nested rows sit in their slot.
    TDataPacket again = TDataPacket::Read(ds.Data());
    for (int r = 0; r < 2; ++r) {
        ASSERT_EQ(again.rows[r].Count(), 3);
        EXPECT_EQ(again.rows[r][1].Type(), VarType::Null) << "row " << r;
    }
    EXPECT_EQ(again.rows[0][2].Count(), 0);
    EXPECT_EQ(again.rows[1][2][0][0].AsInteger(), 7);
    // The rows were taken from a packet the caller still holds: changing them leaves it as it was.
    ds.First();
    ds.Edit();
    ds.FieldByName("CODE")->SetAsString("C");
    ds.Post();
    EXPECT_EQ(packet[2][0][0].AsString(), "A");
    EXPECT_EQ(packet[2][1][2][1][0].AsInteger(), 8);
    EXPECT_TRUE(packet[2][1][1].IsEmpty());
}

TEST(Packets, DeltaReaderSeesKindsValuesAndDetails) {
    DocumentServer server(2, 2);
    TClientDataSet main, body;
    server.OpenHeaders(main);
    body.SetDataSetField(static_cast<TDataSetField*>(main.FieldByName("qryBody")));
    // DOC1: header text changed; DOC2: only a body line changed.
    main.Edit();
    main.FieldByName("MC002")->SetAsString("new name");
    main.Post();
    main.Next();
    body.Edit();
    body.FieldByName("MD003")->SetAsString("edited");
    body.Post();
    main.Post();
    main.Append();
    main.FieldByName("MC001")->SetAsString("DOC3");
    main.Post();

    TDeltaReader delta(main.Delta());
    ASSERT_EQ(delta.Count(), 3);
    TDeltaRow doc1 = delta.Row(0), doc2 = delta.Row(1), doc3 = delta.Row(2);
    EXPECT_EQ(doc1.Kind(), ukModify);
    EXPECT_TRUE(doc1.Changed("MC002"));
    EXPECT_FALSE(doc1.Changed("MC001"));
    EXPECT_EQ(doc1.OldValue("MC002").AsString(), "文档1");
    EXPECT_EQ(doc1.NewValue("MC002").AsString(), "new name");
    EXPECT_EQ(doc1.NewValue("MC001").AsString(), "DOC1");  // unchanged: the original
    // The same values read in place (a new row's unset ones are Null, below).
    EXPECT_EQ(doc1.NewValueRef(doc1.FieldIndex("MC002")).AsString(), "new name");
    EXPECT_EQ(doc1.NewValueRef(doc1.FieldIndex("MC001")).AsString(), "DOC1");
    EXPECT_EQ(doc1.Details("qryBody").Count(), 0);
    EXPECT_EQ(doc2.Kind(), ukModify);
    EXPECT_FALSE(doc2.HasChangedValues());  // its lines alone changed
    TDeltaReader lines = doc2.Details("qryBody");
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Row(0).OldValue("MD003").AsString(), "line 1");
    EXPECT_EQ(lines.Row(0).NewValue("MD003").AsString(), "edited");
    EXPECT_EQ(doc3.Kind(), ukInsert);
    EXPECT_TRUE(doc3.OldValue("MC001").IsNull());
    EXPECT_TRUE(doc3.Changed("MC001"));
    EXPECT_FALSE(doc3.Changed("MC002"));
    EXPECT_TRUE(doc3.NewValueRef(doc3.FieldIndex("MC002")).IsNull());
    EXPECT_NE(doc1.Id(), doc2.Id());
    EXPECT_THROW(doc1.FieldIndex("NOPE"), EDatabaseError);

    // A kind the protocol does not know is an error, not a modification.
    Variant odd = TDeltaBuilder::Change(9, ukModify, {}, {}, {});
    odd[1] = Variant(7);
    Variant changes = VarArrayOf({odd});
    try {
        TDeltaReader(delta.Fields(), changes).Row(0).Kind();
        ADD_FAILURE() << "kind 7 was read";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Unknown change kind 7");
    }
}

TEST(Packets, DeltaRowsEndAtTheirLastValueAndAChangeToNullStillTravels) {
    DocumentServer server(2, 1);
    TClientDataSet main;
    server.OpenHeaders(main);
    // DOC1 loses its FLAG (the last column) and keeps its name; DOC2 is deleted; DOC3 is new with a key alone.
    main.Edit();
    main.FieldByName("FLAG")->Clear();
    main.Post();
    main.Next();
    main.Delete();
    main.Append();
    main.FieldByName("MC001")->SetAsString("DOC3");
    main.Post();

    const Variant delta = main.Delta();
    TDeltaReader reader(delta);
    ASSERT_EQ(reader.Count(), 3);
    const Variant& deleted = delta[2][0];
    const Variant& modified = delta[2][1];
    const Variant& inserted = delta[2][2];
    EXPECT_EQ(deleted[2].Count(), 3) << "every original value of DOC2 says something";
    EXPECT_EQ(inserted[3].Count(), 1) << "the new row's values end at its key";
    EXPECT_EQ(modified[3].Count(), 3) << "the change to null is sent";
    TDeltaRow doc1 = reader.Row(1), doc3 = reader.Row(2);
    EXPECT_TRUE(doc1.Changed("FLAG"));
    EXPECT_TRUE(doc1.NewValue("FLAG").IsNull());
    EXPECT_FALSE(doc1.Changed("MC002"));
    EXPECT_EQ(doc1.NewValue("MC002").AsString(), "文档1");
    EXPECT_TRUE(doc3.NewValue("FLAG").IsNull());
    EXPECT_FALSE(doc3.Changed("MC002"));

    // The provider stores what the user did.
    EXPECT_EQ(main.ApplyUpdates(0), 0);
    main.Close();
    main.Open();
    ASSERT_EQ(main.RecordCount(), 2);
    EXPECT_TRUE(main.FieldByName("FLAG")->IsNull());
    EXPECT_EQ(main.FieldByName("MC002")->AsString(), "文档1");
    main.Next();
    EXPECT_EQ(main.FieldByName("MC001")->AsString(), "DOC3");
    EXPECT_TRUE(main.FieldByName("MC002")->IsNull());
}

TEST(Packets, ErrorPacketsAndParams) {
    TErrorPacketBuilder errors;
    errors.AddError(7, "duplicate", 19, "ADMMC", VarArrayOf({Variant("K"), Variant(3)}));
    errors.SetCommitted(false);
    TErrorPacket p = TErrorPacket::Read(errors.Build());
    EXPECT_FALSE(p.committed);
    ASSERT_EQ(p.errors.size(), 1u);
    EXPECT_EQ(p.errors[0].id, 7);
    EXPECT_EQ(p.errors[0].message, "duplicate");
    EXPECT_EQ(p.errors[0].errorCode, 19);
    EXPECT_EQ(p.errors[0].context, "ADMMC");
    EXPECT_EQ(p.errors[0].currentValues[1].AsInteger(), 3);
    TErrorPacket none = TErrorPacket::Read(Variant());
    EXPECT_TRUE(none.committed);
    EXPECT_TRUE(none.errors.empty());

    TParams params;
    EXPECT_TRUE(params.ToVariant().IsEmpty());
    params.CreateParam(ftString, "CODE").Value = Variant("A01");
    params.CreateParam(ftInteger, "OUT", ptOutput);
    params.AssignValues(VarArrayOf({VarArrayOf({Variant("out"), Variant(42)}), VarArrayOf({Variant("EXTRA"), Variant("x")})}));
    EXPECT_EQ(params.ParamByName("OUT").Value.AsInteger(), 42);
    EXPECT_EQ(params.ParamByName("extra").AsString(), "x");
    EXPECT_THROW(params.ParamByName("none"), EDatabaseError);

    // Params and the command text reach the provider.
    DocumentServer server(1, 0);
    TClientDataSet ds;
    ds.SetProvider(server.appServer);
    ds.ProviderName = "pvdMain";
    ds.CommandText = "select * from ADMMC";
    ds.Params.CreateParam(ftString, "MC001").Value = Variant("DOC1");
    ds.Open();
    EXPECT_EQ(server.provider->LastCommandText, "select * from ADMMC");
    EXPECT_EQ(server.provider->LastParams[0][1].AsString(), "DOC1");
}
