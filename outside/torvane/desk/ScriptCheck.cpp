// The commands a script may use and the words each takes, checked before a script runs.
#include <array>
#include <functional>

#include "outside/torvane/desk/Script.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"

namespace {

constexpr std::size_t kAnyCount = 1000;

struct TCommandSyntax {
    const char* name;
    std::size_t minWords;  // the command included
    std::size_t maxWords;
    const char* usage;
    // "" when the words are right, else what was expected and found.
    std::function<std::string(const std::vector<std::string>&)> check;
};

std::string Quoted(const std::string& word) { return "\"" + word + "\""; }

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

std::string CheckCodePages(const std::vector<std::string>& words) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        int codePage = 0;
        if (!TryStrToInt(words[i], codePage) || codePage <= 0)
            return "expected a code page number (936, 950, 437 ...), found " + Quoted(words[i]);
    }
    return {};
}

std::string CheckOpen(const std::vector<std::string>& words) {
    TScriptOpenOptions options;
    std::string error;
    return ParseOpenOptions(words, options, error) ? std::string() : error;
}

std::string CheckKeys(const std::vector<std::string>& words) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        if (!ParseKeyName(words[i], key, modifiers))
            return "expected a key name (F5, Ctrl+Tab, Enter ...), found " + Quoted(words[i]);
    }
    return {};
}

std::string CheckRow(const std::vector<std::string>& words) {
    int row = 0;
    if (!TryStrToInt(words[2], row) || row < 1) return "expected a row number from 1, found " + Quoted(words[2]);
    return {};
}

std::string CheckAnswer(const std::vector<std::string>& words) {
    std::string names;
    for (TMsgDlgBtn button : {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll}) {
        if (SameText(words[1], MessageDlgButtonName(button))) return {};
        names += (names.empty() ? "" : ", ") + MessageDlgButtonName(button);
    }
    return "expected a button (" + names + "), found " + Quoted(words[1]);
}

std::string CheckMessageCode(const std::vector<std::string>& words) {
    const std::string kind = UpperCase(words[1]);
    if (kind.size() != 1 || std::string("EWIQCDT").find(kind) == std::string::npos)
        return "expected a message kind (E, W, I, Q, C, D, T), found " + Quoted(words[1]);
    const std::string& code = words[2];
    const bool sixDigits = code.size() == 6 && code.find_first_not_of("0123456789") == std::string::npos;
    return sixDigits ? std::string() : "expected a six-digit message code, found " + Quoted(code);
}

const std::array<TCommandSyntax, 16>& Commands() {
    static const std::array<TCommandSyntax, 16> commands{{
        {"login", 4, 5, "login USER COMPANY DATABASE [PASSWORD]", nullptr},
        {"codepage", 2, 3, "codepage UI [DB]", CheckCodePages},
        {"open", 2, kAnyCount, "open PROGRAM [run-mode N] [rights N] [param TEXT]", CheckOpen},
        {"click", 2, 2, "click NAME", nullptr},
        {"key", 2, kAnyCount, "key KEYS...", CheckKeys},
        {"focus", 2, 2, "focus NAME", nullptr},
        {"hover", 2, 2, "hover NAME", nullptr},
        {"type", 3, kAnyCount, "type NAME TEXT", nullptr},
        {"write", 2, kAnyCount, "write TEXT", nullptr},
        {"cell", 5, kAnyCount, "cell GRID ROW FIELD TEXT", CheckRow},
        {"answer", 2, 2, "answer BUTTON", CheckAnswer},
        {"expect", 4, kAnyCount, "expect NAME PROPERTY VALUE", nullptr},
        {"expect-field", 4, kAnyCount, "expect-field DATASET FIELD VALUE", nullptr},
        {"expect-message", 3, 3, "expect-message KIND CODE", CheckMessageCode},
        {"screenshot", 2, kAnyCount, "screenshot FILE", nullptr},
        {"close", 1, 1, "close", nullptr},
    }};
    return commands;
}

std::string CheckLine(const TScriptLine& line) {
    const std::vector<std::string>& words = line.Words;
    for (const TCommandSyntax& command : Commands()) {
        if (!SameText(words[0], command.name)) continue;
        if (words.size() < command.minWords || words.size() > command.maxWords)
            return std::string("expected ") + command.usage + ", found " + Quoted(Joined(words));
        return command.check ? command.check(words) : std::string();
    }
    std::string names;
    for (const TCommandSyntax& command : Commands()) names += (names.empty() ? "" : ", ") + std::string(command.name);
    return "expected a command (" + names + "), found " + Quoted(words[0]);
}

}  // namespace

bool ParseOpenOptions(const std::vector<std::string>& words, TScriptOpenOptions& options, std::string& error) {
    for (std::size_t i = 2; i < words.size(); i += 2) {
        const std::string option = LowerCase(words[i]);
        if (option != "run-mode" && option != "rights" && option != "param") {
            error = "expected run-mode, rights or param, found " + Quoted(words[i]);
            return false;
        }
        if (i + 1 >= words.size()) {
            error = "expected a value after " + words[i] + ", found none";
            return false;
        }
        if (option == "param") {
            options.Param = words[i + 1];
            continue;
        }
        int value = 0;
        if (!TryStrToInt(words[i + 1], value)) {
            error = "expected a number after " + words[i] + ", found " + Quoted(words[i + 1]);
            return false;
        }
        (option == "run-mode" ? options.RunMode : options.Rights) = value;
    }
    return true;
}

std::string CheckScript(const std::vector<TScriptLine>& lines) {
    bool loggedIn = false;
    for (const TScriptLine& line : lines) {
        std::string problem = CheckLine(line);
        if (problem.empty() && SameText(line.Words[0], "login")) {
            if (loggedIn) problem = "expected one login per script, found a second one";
            loggedIn = true;
        }
        if (!problem.empty()) return "line " + std::to_string(line.Number) + ": " + problem;
    }
    return {};
}
