// An XML document of any content: loaded, walked, selected and written back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/rtl/Exception.h"
#include "toolkit/xml/Xml.h"

namespace {

void Walk(const TXmlNode& node, int depth) {
    if (depth > 64) return;
    node.NodeName();
    node.Text();
    node.Attributes();
    for (const TXmlNode& child : node.ChildNodes()) Walk(child, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        TXmlDocument doc;
        if (!doc.LoadXml(text)) return 0;
        Walk(doc.Document(), 0);
        doc.SelectNodes("//*[@Name]");
        doc.Document().Xml();
        // The text after the first line break, used as a selection as callers pass them.
        if (auto at = text.find('\n'); at != std::string::npos) doc.SelectNodes(text.substr(at + 1));
    } catch (const Exception&) {}
    return 0;
}
