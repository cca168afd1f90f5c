#include "toolkit/xml/Xml.h"

#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/SysUtils.h"

namespace {
// Elements made by CreateElement wait under this top-level element until they are appended; it is
// never shown as the document element nor saved, and goes away once empty.
const char* const DetachedHolder = "tk.detached";

bool IsHolder(const pugi::xml_node& n) {
    return n.type() == pugi::node_element && n.parent().type() == pugi::node_document &&
           std::string_view(n.name()) == DetachedHolder;
}

constexpr unsigned ParseOptions = pugi::parse_default | pugi::parse_comments;

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

void CollectText(const pugi::xml_node& n, std::string& out) {
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            out += c.value();
        else if (c.type() == pugi::node_element)
            CollectText(c, out);
    }
}

// The value of encoding="..." in a leading XML declaration, upper-cased; "" without one.
std::string DeclaredEncoding(const std::string& bytes) {
    if (bytes.compare(0, 5, "<?xml") != 0) return {};
    std::size_t end = bytes.find("?>");
    std::string decl = bytes.substr(0, end);
    std::size_t at = decl.find("encoding");
    if (at == std::string::npos) return {};
    std::size_t q = decl.find_first_of("\"'", at);
    if (q == std::string::npos) return {};
    std::size_t close = decl.find(decl[q], q + 1);
    if (close == std::string::npos) return {};
    return UpperCase(Trim(decl.substr(q + 1, close - q - 1)));
}

// The file's bytes as UTF-8 text.
std::string DecodeFile(const std::string& bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) return FromCodePageBytes(bytes.substr(2), 1200);
    if (bytes.compare(0, 2, "\xFE\xFF") == 0) return FromCodePageBytes(bytes.substr(2), 1201);
    if (IsValidUtf8(bytes)) return bytes;  // whatever the declaration claims
    std::string encoding = DeclaredEncoding(bytes);
    if (encoding == "GB2312" || encoding == "GBK" || encoding == "GB18030" || encoding == "CP936" || encoding == "X-GBK")
        return FromCodePageBytes(bytes, 54936);
    if (encoding == "BIG5" || encoding == "BIG-5" || encoding == "CP950") return FromCodePageBytes(bytes, 950);
    return bytes;
}
}  // namespace

// --- TXmlNode -----------------------------------------------------------------------------------------

namespace {
pugi::xml_node Node(pugi::xml_node_struct* n) { return pugi::xml_node(n); }
}  // namespace

TXmlNodeType TXmlNode::NodeType() const {
    if (attr_) return TXmlNodeType::Attribute;
    switch (Node(node_).type()) {
        case pugi::node_document: return TXmlNodeType::Document;
        case pugi::node_element: return TXmlNodeType::Element;
        case pugi::node_pcdata: return TXmlNodeType::Text;
        case pugi::node_cdata: return TXmlNodeType::CData;
        case pugi::node_comment: return TXmlNodeType::Comment;
        case pugi::node_pi: return TXmlNodeType::ProcessingInstruction;
        case pugi::node_declaration: return TXmlNodeType::Declaration;
        case pugi::node_doctype: return TXmlNodeType::Doctype;
        default: return TXmlNodeType::Null;
    }
}

std::string TXmlNode::NodeName() const {
    if (attr_) return pugi::xml_attribute(attr_).name();
    switch (NodeType()) {
        case TXmlNodeType::Document: return "#document";
        case TXmlNodeType::Text: return "#text";
        case TXmlNodeType::CData: return "#cdata-section";
        case TXmlNodeType::Comment: return "#comment";
        case TXmlNodeType::Null: return "";
        default: return Node(node_).name();
    }
}

std::string TXmlNode::Text() const {
    if (attr_) return pugi::xml_attribute(attr_).value();
    pugi::xml_node n = Node(node_);
    switch (n.type()) {
        case pugi::node_element:
        case pugi::node_document: {
            std::string out;
            CollectText(n, out);
            return out;
        }
        case pugi::node_null: return {};
        default: return n.value();
    }
}

void TXmlNode::SetText(const std::string& text) {
    if (attr_) {
        pugi::xml_attribute(attr_).set_value(text.c_str());
        return;
    }
    pugi::xml_node n = Node(node_);
    if (n.type() != pugi::node_element) {
        n.set_value(text.c_str());
        return;
    }
    while (n.first_child()) n.remove_child(n.first_child());
    if (!text.empty()) n.append_child(pugi::node_pcdata).set_value(text.c_str());
}

bool TXmlNode::HasAttribute(const std::string& name) const { return !attr_ && Node(node_).attribute(name.c_str()); }

std::string TXmlNode::Attribute(const std::string& name) const {
    if (attr_) return {};
    return Node(node_).attribute(name.c_str()).value();
}

void TXmlNode::SetAttribute(const std::string& name, const std::string& value) {
    pugi::xml_node n = Node(node_);
    if (attr_ || n.type() != pugi::node_element) throw EOleError("Only elements have attributes");
    pugi::xml_attribute a = n.attribute(name.c_str());
    if (!a) a = n.append_attribute(name.c_str());
    a.set_value(value.c_str());
}

bool TXmlNode::RemoveAttribute(const std::string& name) { return !attr_ && Node(node_).remove_attribute(name.c_str()); }

std::vector<std::pair<std::string, std::string>> TXmlNode::Attributes() const {
    std::vector<std::pair<std::string, std::string>> r;
    if (attr_) return r;
    for (pugi::xml_attribute a : Node(node_).attributes()) r.emplace_back(a.name(), a.value());
    return r;
}

TXmlNodeList TXmlNode::ChildNodes() const {
    TXmlNodeList r;
    if (attr_) return r;
    for (pugi::xml_node c : Node(node_).children())
        if (!IsHolder(c)) r.push_back(TXmlNode(c.internal_object()));
    return r;
}

TXmlNode TXmlNode::ChildNode(const std::string& name) const {
    if (attr_) return {};
    return TXmlNode(Node(node_).child(name.c_str()).internal_object());
}

TXmlNode TXmlNode::ParentNode() const {
    if (attr_) return {};  // attributes have no parent in the DOM
    return TXmlNode(Node(node_).parent().internal_object());
}

TXmlNodeList TXmlNode::SelectNodes(const std::string& xpath) const {
    TXmlNodeList r;
    if (IsNull()) return r;
    pugi::xpath_node context = attr_ ? pugi::xpath_node(pugi::xml_attribute(attr_), Node(node_)) : pugi::xpath_node(Node(node_));
    pugi::xpath_node_set found;
    try {
        pugi::xpath_query query(xpath.c_str());
        found = query.evaluate_node_set(context);
    } catch (const pugi::xpath_exception& e) {
        throw EOleError("Invalid XPath expression \"" + xpath + "\": " + e.result().description());
    }
    found.sort();
    for (const pugi::xpath_node& x : found) {
        if (x.attribute())
            r.push_back(TXmlNode(x.parent().internal_object(), x.attribute().internal_object()));
        else if (!IsHolder(x.node()))
            r.push_back(TXmlNode(x.node().internal_object()));
    }
    return r;
}

TXmlNode TXmlNode::SelectSingleNode(const std::string& xpath) const {
    TXmlNodeList nodes = SelectNodes(xpath);
    return nodes.empty() ? TXmlNode() : nodes.front();
}

TXmlNode TXmlNode::AppendChild(const TXmlNode& child) {
    pugi::xml_node self = Node(node_);
    pugi::xml_node c = Node(child.node_);
    if (attr_ || child.attr_ || !self || !c) return {};
    pugi::xml_node added;
    if (self.root() == c.root()) {
        pugi::xml_node oldParent = c.parent();
        added = self.append_move(c);  // refuses to move a node under itself
        if (added && IsHolder(oldParent) && !oldParent.first_child()) oldParent.parent().remove_child(oldParent);
    } else {
        added = self.append_copy(c);
    }
    return TXmlNode(added.internal_object());
}

TXmlNode TXmlNode::AddChild(const std::string& elementName) {
    if (attr_) return {};
    return TXmlNode(Node(node_).append_child(elementName.c_str()).internal_object());
}

bool TXmlNode::RemoveChild(const TXmlNode& child) {
    if (attr_ || child.attr_ || IsNull() || child.IsNull()) return false;
    return Node(node_).remove_child(Node(child.node_));
}

std::string TXmlNode::Xml() const {
    if (attr_) {
        pugi::xml_attribute a(attr_);
        return std::string(a.name()) + "=\"" + a.value() + "\"";
    }
    StringWriter w;
    pugi::xml_node n = Node(node_);
    if (n.type() == pugi::node_document) {
        for (pugi::xml_node c : n.children())
            if (!IsHolder(c)) c.print(w, "", pugi::format_raw);
    } else if (n) {
        n.print(w, "", pugi::format_raw);
    }
    return w.text;
}

// --- TXmlDocument -------------------------------------------------------------------------------------

struct TXmlDocument::Impl {
    pugi::xml_document doc;
};

TXmlDocument::TXmlDocument() : impl_(std::make_unique<Impl>()) {}
TXmlDocument::~TXmlDocument() = default;

bool TXmlDocument::LoadFromFile(const std::string& fileName) {
    Clear();
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        pugi::xml_parse_result r;
        r.status = pugi::status_file_not_found;
        error_ = TXmlParseError{static_cast<int>(r.status), r.description(), 0, 0, 0};
        return false;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    return LoadBuffer(DecodeFile(buf.str()));
}

bool TXmlDocument::LoadXml(const std::string& text) {
    Clear();
    std::string utf8 = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
    return LoadBuffer(utf8);
}

bool TXmlDocument::LoadBuffer(const std::string& utf8) {
    pugi::xml_parse_result r = impl_->doc.load_buffer(utf8.data(), utf8.size(), ParseOptions, pugi::encoding_utf8);
    if (r) return true;
    TXmlParseError e;
    e.errorCode = static_cast<int>(r.status);
    e.reason = r.description();
    e.filePos = static_cast<long>(r.offset);
    e.line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(r.offset) && i < utf8.size(); ++i)
        if (utf8[i] == '\n') {
            ++e.line;
            lineStart = i + 1;
        }
    e.linePos = static_cast<int>(static_cast<std::size_t>(r.offset) - lineStart) + 1;
    error_ = e;
    impl_->doc.reset();
    return false;
}

TXmlNode TXmlDocument::Document() const { return TXmlNode(impl_->doc.internal_object()); }

TXmlNode TXmlDocument::DocumentElement() const {
    for (pugi::xml_node c : impl_->doc.children())
        if (c.type() == pugi::node_element && !IsHolder(c)) return TXmlNode(c.internal_object());
    return {};
}

void TXmlDocument::SetDocumentElement(const TXmlNode& element) {
    TXmlNode old = DocumentElement();
    if (element.IsNull() || element == old) return;
    TXmlNode added = Document().AppendChild(element);
    if (added.IsNull()) return;
    if (!old.IsNull()) {
        pugi::xml_node oldNode(old.node_);
        impl_->doc.insert_move_before(pugi::xml_node(added.node_), oldNode);
        impl_->doc.remove_child(oldNode);
    }
}

TXmlNode TXmlDocument::CreateElement(const std::string& name) {
    pugi::xml_node holder = impl_->doc.child(DetachedHolder);
    if (!holder) holder = impl_->doc.append_child(DetachedHolder);
    return TXmlNode(holder.append_child(name.c_str()).internal_object());
}

std::string TXmlDocument::SaveToString(bool indent) const {
    StringWriter w;
    unsigned flags = (indent ? pugi::format_indent : pugi::format_raw) | pugi::format_no_declaration;
    for (pugi::xml_node c : impl_->doc.children())
        if (!IsHolder(c)) c.print(w, "  ", flags);
    return w.text;
}

void TXmlDocument::SaveToFile(const std::string& fileName) const {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out) throw EInOutError("Cannot create file \"" + fileName + "\"");
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" << SaveToString(true);
    out.flush();
    if (!out) throw EInOutError("Cannot write file \"" + fileName + "\"");
}

void TXmlDocument::Clear() {
    impl_->doc.reset();
    error_ = TXmlParseError{};
}
