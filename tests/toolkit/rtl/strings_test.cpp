#include <gtest/gtest.h>

#include <cstdio>

#include "toolkit/os/Paths.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/Strings.h"

TEST(StringList, NameValueLines) {
    TStringList list;
    list.SetText("936=CHS\r\n950=CHT\r\n437=ENG");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Values("950"), "CHT");
    EXPECT_EQ(list.Values("1252"), "");
    EXPECT_EQ(list.Names(2), "437");
    EXPECT_EQ(list.ValueFromIndex(0), "CHS");

    TStringList keys;
    keys.SetValue("Name", "a=b");
    keys.SetValue("Other", "x");
    EXPECT_EQ(keys.Values("NAME"), "a=b");  // names compare without case
    EXPECT_EQ(keys.IndexOfName("other"), 1);
    keys.SetValue("name", "c");
    EXPECT_EQ(keys[0], "name=c");  // replaced in place, spelled as given
    keys.SetValue("Name", "");     // empty value deletes the line
    EXPECT_EQ(keys.Count(), 1);
    EXPECT_EQ(keys.IndexOfName("Name"), -1);
    keys.Add("plain");
    EXPECT_EQ(keys.Names(1), "");
    EXPECT_EQ(keys.ValueFromIndex(1), "");
}

TEST(StringList, TextRoundTripsAndLineBreaks) {
    TStringList list;
    list.SetText("a\nb\r\nc\rd\r\n");
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    list.SetText("x\n\ny");
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"x", "", "y"}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
}

TEST(StringList, CommaTextQuotesLikeTheClassicRunTime) {
    TStringList list;
    list.AddStrings(std::vector<std::string>{"plain", "with space", "say \"hi\"", "a,b", "文档"});
    EXPECT_EQ(list.CommaText(), "plain,\"with space\",\"say \"\"hi\"\"\",\"a,b\",文档");

    TStringList back;
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(back.ToVector(), list.ToVector());

    back.SetCommaText("a b, c ,,d,");
    EXPECT_EQ(back.ToVector(), (std::vector<std::string>{"a", "b", "c", "", "d", ""}));
    back.SetCommaText("\"\"");
    EXPECT_EQ(back.Count(), 1);
    EXPECT_EQ(back.CommaText(), "\"\"");

    TStringList fields;
    fields.Delimiter = ';';
    fields.QuoteChar = '\'';
    fields.StrictDelimiter = true;
    fields.SetDelimitedText("A B;'x;y';C");
    EXPECT_EQ(fields.ToVector(), (std::vector<std::string>{"A B", "x;y", "C"}));
    EXPECT_EQ(fields.DelimitedText(), "A B;'x;y';C");
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates) {
    TStringList list;
    list.SetSorted(true);
    list.Add("pear");
    list.Add("Apple");
    list.Add("fig");
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"Apple", "fig", "pear"}));
    EXPECT_EQ(list.Add("APPLE"), 0);  // ignored: duplicates without case
    EXPECT_EQ(list.Count(), 3);
    int index = -1;
    EXPECT_TRUE(list.Find("FIG", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("grape", index));
    EXPECT_EQ(index, 2);
    EXPECT_THROW(list.Insert(0, "x"), EListError);

    list.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(list.Add("pear"), EListError);
    list.Duplicates = TDuplicates::dupAccept;
    list.Add("pear");
    EXPECT_EQ(list.Count(), 4);

    TStringList cased;
    cased.SetCaseSensitive(true);
    cased.SetSorted(true);
    cased.Add("b");
    cased.Add("B");
    cased.Add("a");
    EXPECT_EQ(cased.ToVector(), (std::vector<std::string>{"B", "a", "b"}));
    EXPECT_EQ(cased.IndexOf("A"), -1);
}

TEST(StringList, ObjectsMovesAndCustomSort) {
    int one = 1, two = 2, three = 3;
    TStringList list;
    list.AddObject("c", &three);
    list.AddObject("a", &one);
    list.InsertObject(1, "b", &two);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"c", "b", "a"}));
    list.Exchange(0, 2);
    EXPECT_EQ(list.Objects(0), &one);
    list.Move(2, 0);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(list.IndexOfObject(&two), 2);
    list.CustomSort([](const TStringList& l, int i, int j) {
        return *static_cast<int*>(l.Objects(j)) - *static_cast<int*>(l.Objects(i));  // by object, descending
    });
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"c", "b", "a"}));
    list.Sort();
    EXPECT_EQ(list.Objects(0), &one);
    list.Delete(0);
    EXPECT_EQ(list.IndexOf("A"), -1);
    EXPECT_THROW(list.Delete(5), EListError);
    EXPECT_THROW(list[2], EListError);

    TStringList sortedIgnore;
    sortedIgnore.SetSorted(true);
    sortedIgnore.AddObject("k", &one);
    sortedIgnore.AddObject("K", &two);  // ignored duplicate keeps its first object
    EXPECT_EQ(sortedIgnore.Objects(0), &one);
}

TEST(StringList, AssignAddStringsAndChangeEvents) {
    TStringList source;
    source.SetCommaText("x,y");
    source.SetSorted(true);
    TStringList copy = source;
    EXPECT_TRUE(copy.Sorted());
    copy.Add("a");
    EXPECT_EQ(copy.ToVector(), (std::vector<std::string>{"a", "x", "y"}));
    EXPECT_EQ(source.Count(), 2);

    TStringList target;
    int changes = 0;
    target.OnChange = [&] { ++changes; };
    target.Add("one");
    target.AddStrings(copy);  // one notification for the batch
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(target.Count(), 4);
    target.AddStrings(target);
    EXPECT_EQ(target.Count(), 8);
}

TEST(StringList, FilesRoundTripAndMissingFilesRaise) {
    std::string file = TempFolder() + "tk_strings_" + std::to_string(::getpid()) + ".txt";
    TStringList list;
    list.AddStrings(std::vector<std::string>{"第一行", "", "line 3"});
    list.SaveToFile(file);
    TStringList back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.ToVector(), list.ToVector());
    std::FILE* f = std::fopen(file.c_str(), "wb");
    std::fputs("\xEF\xBB\xBFwith bom\n", f);
    std::fclose(f);
    back.LoadFromFile(file);
    EXPECT_EQ(back[0], "with bom");
    std::remove(file.c_str());
    EXPECT_THROW(back.LoadFromFile(file), EInOutError);
}
