#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>

#include "toolkit/os/CodePage.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/xml/Xml.h"

namespace {
const char* const Layout =
    "<Form Name=\"frmTdef05\">"
    "<gdBody1>"
    "<Column FieldName=\"MD001\" Required=\"-1\">表名</Column>"
    "<Column FieldName=\"MD002\" Required=\"0\">字段</Column>"
    "<Column FieldName=\"MD003\" Required=\"-1\"><![CDATA[说明]]></Column>"
    "</gdBody1>"
    "<!-- layout of the body grid -->"
    "</Form>";

std::string TempFile(const std::string& name) { return TempFolder() + "tk_xml_" + std::to_string(::getpid()) + "_" + name; }

void WriteBytes(const std::string& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

std::vector<std::string> Names(const TXmlNodeList& nodes) {
    std::vector<std::string> r;
    for (const auto& n : nodes) r.push_back(n.NodeName() + "=" + n.Text());
    return r;
}
}  // namespace

TEST(Xml, NavigatesElementsAttributesAndText) {
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml(Layout));
    TXmlNode root = doc.DocumentElement();
    EXPECT_EQ(root.NodeName(), "Form");
    EXPECT_EQ(root.Attribute("Name"), "frmTdef05");
    EXPECT_TRUE(root.HasAttribute("Name"));
    EXPECT_FALSE(root.HasAttribute("Caption"));
    EXPECT_EQ(root.Attribute("Caption"), "");
    TXmlNodeList children = root.ChildNodes();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[1].NodeType(), TXmlNodeType::Comment);
    EXPECT_EQ(root.Text(), "表名字段说明");
    TXmlNode grid = root.ChildNode("gdBody1");
    EXPECT_EQ(grid.ParentNode(), root);
    EXPECT_EQ(grid.ChildNodes().size(), 3u);
    EXPECT_TRUE(root.ChildNode("Nothing").IsNull());
    EXPECT_EQ(grid.ChildNodes()[0].ChildNodes()[0].NodeName(), "#text");
}

TEST(Xml, SelectsWithXPath) {
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml(Layout));
    TXmlNode root = doc.DocumentElement();
    EXPECT_EQ(Names(root.SelectNodes("gdBody1/*[@Required='-1']")), (std::vector<std::string>{"Column=表名", "Column=说明"}));
    EXPECT_EQ(doc.SelectSingleNode("//Column[@FieldName='MD002']").Text(), "字段");
    EXPECT_TRUE(doc.SelectSingleNode("//Row").IsNull());
    TXmlNodeList attrs = doc.SelectNodes("/Form/gdBody1/Column/@FieldName");
    EXPECT_EQ(Names(attrs), (std::vector<std::string>{"FieldName=MD001", "FieldName=MD002", "FieldName=MD003"}));
    EXPECT_EQ(attrs[0].NodeType(), TXmlNodeType::Attribute);
    EXPECT_EQ(attrs[1].SelectSingleNode("..").Attribute("Required"), "0");
    try {
        doc.SelectNodes("//Column[");
        FAIL() << "no exception";
    } catch (const EOleError& e) {
        EXPECT_NE(e.Message().find("//Column["), std::string::npos);
    }
}

TEST(Xml, ParseErrorsTellWhereAndLeaveTheDocumentEmpty) {
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadXml("<ok/>"));
    std::string bad = "<Form>\n  <Item a=\"1\">\n</Form>";
    EXPECT_FALSE(doc.LoadXml(bad));
    const TXmlParseError& e = doc.ParseError();
    EXPECT_NE(e.errorCode, 0);
    EXPECT_FALSE(e.reason.empty());
    EXPECT_EQ(e.line, 3);  // the mismatched end tag
    EXPECT_GE(e.filePos, static_cast<long>(bad.find("</Form>")));
    EXPECT_LE(e.filePos, static_cast<long>(bad.size()));
    EXPECT_EQ(e.linePos, static_cast<int>(e.filePos - static_cast<long>(bad.rfind('\n'))));
    EXPECT_TRUE(doc.DocumentElement().IsNull());
    EXPECT_FALSE(doc.LoadXml(""));
    EXPECT_TRUE(doc.Empty());
    EXPECT_TRUE(doc.LoadXml("<a/>"));
    EXPECT_EQ(doc.ParseError().errorCode, 0);

    EXPECT_FALSE(doc.LoadFromFile(TempFile("missing.xml")));
    EXPECT_NE(doc.ParseError().errorCode, 0);
}

TEST(Xml, FilesInGbkUtf8AndWithByteOrderMarks) {
    const std::string body = "<Lang><Item Name=\"btnOK\" Caption=\"确定\">文档信息</Item></Lang>";
    std::string gbk = TempFile("gbk.xml");
    WriteBytes(gbk, ToCodePageBytes("<?xml version=\"1.0\" encoding=\"GB2312\"?>\n" + body, 936));
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(gbk)) << doc.ParseError().reason;
    EXPECT_EQ(doc.SelectSingleNode("//Item").Attribute("Caption"), "确定");
    EXPECT_EQ(doc.DocumentElement().Text(), "文档信息");

    std::string utf8 = TempFile("utf8.xml");  // the declaration lies, the bytes are UTF-8
    WriteBytes(utf8, "<?xml version=\"1.0\" encoding=\"GB2312\"?>\n" + body);
    ASSERT_TRUE(doc.LoadFromFile(utf8));
    EXPECT_EQ(doc.DocumentElement().Text(), "文档信息");

    std::string bom = TempFile("bom.xml");
    WriteBytes(bom, "\xEF\xBB\xBF" + body);
    ASSERT_TRUE(doc.LoadFromFile(bom));
    EXPECT_EQ(doc.SelectSingleNode("//Item").Attribute("Caption"), "确定");

    std::string big5 = TempFile("big5.xml");
    WriteBytes(big5, ToCodePageBytes("<?xml version=\"1.0\" encoding=\"big5\"?><T>文檔</T>", 950));
    ASSERT_TRUE(doc.LoadFromFile(big5));
    EXPECT_EQ(doc.DocumentElement().Text(), "文檔");

    std::string utf16 = TempFile("utf16.xml");
    WriteBytes(utf16, "\xFF\xFE" + ToCodePageBytes("<T>文档</T>", 1200));
    ASSERT_TRUE(doc.LoadFromFile(utf16));
    EXPECT_EQ(doc.DocumentElement().Text(), "文档");
    for (const auto& f : {gbk, utf8, bom, big5, utf16}) std::remove(f.c_str());
}

TEST(Xml, BuildsEditsAndSavesDocuments) {
    TXmlDocument doc;
    TXmlNode root = doc.CreateElement("Settings");
    EXPECT_EQ(doc.SaveToString(), "");  // not part of the document yet
    EXPECT_TRUE(doc.DocumentElement().IsNull());
    TXmlNode item = doc.CreateElement("Item");
    item.SetAttribute("Key", "a&b");
    item.SetText("<值>");
    TXmlNode appended = root.AppendChild(item);
    EXPECT_EQ(appended, item);  // moved within the document: same node
    doc.SetDocumentElement(root);
    root.AddChild("Empty");
    EXPECT_EQ(doc.SaveToString(), "<Settings><Item Key=\"a&amp;b\">&lt;值&gt;</Item><Empty/></Settings>");
    EXPECT_EQ(doc.DocumentElement(), root);

    item.SetAttribute("Key", "c");
    EXPECT_TRUE(item.RemoveAttribute("Key"));
    EXPECT_FALSE(item.HasAttribute("Key"));
    EXPECT_TRUE(root.RemoveChild(root.ChildNode("Empty")));
    EXPECT_EQ(root.Xml(), "<Settings><Item>&lt;值&gt;</Item></Settings>");

    TXmlDocument other;
    ASSERT_TRUE(other.LoadXml("<Other><Copy n=\"1\"/></Other>"));
    TXmlNode copied = root.AppendChild(other.SelectSingleNode("//Copy"));  // another document: copied
    EXPECT_EQ(copied.Attribute("n"), "1");
    EXPECT_FALSE(other.SelectSingleNode("//Copy").IsNull());

    std::string file = TempFile("saved.xml");
    doc.SaveToFile(file);
    TXmlDocument back;
    ASSERT_TRUE(back.LoadFromFile(file));
    EXPECT_EQ(back.SaveToString(), doc.SaveToString());
    std::remove(file.c_str());
    EXPECT_THROW(doc.SaveToFile("/nonexistent/dir/x.xml"), EInOutError);

    TXmlDocument replaced;
    ASSERT_TRUE(replaced.LoadXml("<Old/>"));
    replaced.SetDocumentElement(replaced.CreateElement("New"));
    EXPECT_EQ(replaced.SaveToString(), "<New/>");
}
