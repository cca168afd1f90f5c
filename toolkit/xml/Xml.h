#pragma once
// A small XML DOM over pugixml. Documents own their nodes; TXmlNode is a cheap handle that stays valid
// while its node is in the document (a removed node's handles must not be used). Text is UTF-8.
// Files declaring GB2312, GBK or GB18030 whose bytes are not UTF-8 are converted from GB18030 (a BIG5
// declaration from BIG5) before parsing; UTF-8 and UTF-16 byte-order marks are honoured.
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace pugi {
struct xml_node_struct;
struct xml_attribute_struct;
}  // namespace pugi

class TXmlDocument;

enum class TXmlNodeType {
    Null,
    Document,
    Element,
    Attribute,
    Text,
    CData,
    Comment,
    ProcessingInstruction,
    Declaration,
    Doctype
};

class TXmlNode;
using TXmlNodeList = std::vector<TXmlNode>;

class TXmlNode {
public:
    TXmlNode() = default;
    bool IsNull() const { return node_ == nullptr && attr_ == nullptr; }
    explicit operator bool() const { return !IsNull(); }
    TXmlNodeType NodeType() const;
    // Element or attribute name; "#text", "#cdata-section", "#comment", "#document" for the others.
    std::string NodeName() const;
    // All text below the node (concatenated); an attribute's value. SetText replaces the children by
    // one text node (an attribute: its value).
    std::string Text() const;
    void SetText(const std::string& text);

    bool HasAttribute(const std::string& name) const;
    std::string Attribute(const std::string& name) const;  // "" when missing
    void SetAttribute(const std::string& name, const std::string& value);
    bool RemoveAttribute(const std::string& name);
    std::vector<std::pair<std::string, std::string>> Attributes() const;

    TXmlNodeList ChildNodes() const;                    // every child node, text included
    TXmlNode ChildNode(const std::string& name) const;  // first child element of that name
    TXmlNode ParentNode() const;
    // XPath 1.0 relative to this node. A bad expression raises EOleError with the parser's reason.
    TXmlNodeList SelectNodes(const std::string& xpath) const;
    TXmlNode SelectSingleNode(const std::string& xpath) const;

    // Moves a node of the same document (one from CreateElement too) under this one, last;
    // a node of another document is copied. Returns the appended node.
    TXmlNode AppendChild(const TXmlNode& child);
    TXmlNode AddChild(const std::string& elementName);  // creates and appends an element
    bool RemoveChild(const TXmlNode& child);

    std::string Xml() const;  // the node as text, unindented

    bool operator==(const TXmlNode& other) const { return node_ == other.node_ && attr_ == other.attr_; }

private:
    friend class TXmlDocument;
    TXmlNode(pugi::xml_node_struct* node, pugi::xml_attribute_struct* attr = nullptr) : node_(node), attr_(attr) {}
    pugi::xml_node_struct* node_ = nullptr;
    pugi::xml_attribute_struct* attr_ = nullptr;  // set for attribute nodes (node_ is the owner element)
};

struct TXmlParseError {
    int errorCode = 0;   // 0 when the last load succeeded
    std::string reason;  // the parser's description
    long filePos = 0;    // byte offset in the (UTF-8) text where parsing stopped
    int line = 0;        // 1-based line of filePos
    int linePos = 0;     // 1-based column (bytes) of filePos
};

class TXmlDocument {
public:
    TXmlDocument();
    ~TXmlDocument();
    TXmlDocument(const TXmlDocument&) = delete;
    TXmlDocument& operator=(const TXmlDocument&) = delete;

    // Loading replaces the content; false on failure (ParseError() tells why, the document is empty).
    bool LoadFromFile(const std::string& fileName);
    bool LoadXml(const std::string& text);  // UTF-8 text, whatever its declaration says
    const TXmlParseError& ParseError() const { return error_; }

    TXmlNode Document() const;         // the document node
    TXmlNode DocumentElement() const;  // the root element, null when empty
    // Makes the element the root, replacing any root there is.
    void SetDocumentElement(const TXmlNode& element);
    TXmlNode CreateElement(const std::string& name);  // detached until appended
    TXmlNodeList SelectNodes(const std::string& xpath) const { return Document().SelectNodes(xpath); }
    TXmlNode SelectSingleNode(const std::string& xpath) const { return Document().SelectSingleNode(xpath); }

    std::string SaveToString(bool indent = false) const;  // without declaration
    // UTF-8 with declaration, indented. Raises EInOutError when the file cannot be written.
    void SaveToFile(const std::string& fileName) const;
    bool Empty() const { return DocumentElement().IsNull(); }
    void Clear();

private:
    bool LoadBuffer(const std::string& utf8);
    struct Impl;
    std::unique_ptr<Impl> impl_;
    TXmlParseError error_;
};
