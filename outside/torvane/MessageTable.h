#pragma once
// The coded-message table: "kind<TAB>code<TAB>text" lines (data/messages.tsv, embedded). Lines that are
// empty or start with '#' are skipped; "\r", "\n", "\t" and "\\" in a text stand for those characters.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/rtl/Visibility.h"

class TK_EXPORT MessageTable {
public:
    MessageTable() = default;
    explicit MessageTable(std::string_view tsv) { Load(tsv); }

    // Adds (or replaces) the messages of the text.
    void Load(std::string_view tsv);

    // The text of a message; kinds compare without regard to case.
    std::optional<std::string> Find(const std::string& kind, const std::string& code) const;

    // The text, or for an unknown message one that names the kind and code.
    std::string Text(const std::string& kind, const std::string& code) const;

    std::size_t Size() const { return texts_.size(); }
    // Every (kind, code) held, in order.
    std::vector<std::pair<std::string, std::string>> Keys() const;

private:
    std::map<std::pair<std::string, std::string>, std::string> texts_;
};

// The table compiled into the work center.
TK_EXPORT const MessageTable& BuiltInMessages();

// The messages in the language of an interface code page: English for "437" (data/messages.ENG.tsv over
// the built-in table, so a message without an English text keeps its own), else the built-in table.
TK_EXPORT const MessageTable& MessagesFor(const std::string& interfaceCodePage);
