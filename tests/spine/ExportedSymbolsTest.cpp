// What the libraries beside the work center show other binaries: the program library only its
// controller entry and the two class references, the servers only their factory and the classes their
// headers export, the translator library only its entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

std::filesystem::path BinFolder() { return std::filesystem::read_symlink("/proc/self/exe").parent_path(); }

// The defined dynamic symbols of a library, demangled, as the dynamic linker sees them.
std::vector<std::string> DefinedDynamicSymbols(const std::string& library) {
    const std::string command =
        "nm -D --defined-only --demangle --format=just-symbols '" + (BinFolder() / library).string() + "'";
    std::vector<std::string> symbols;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return symbols;
    char line[4096];
    while (fgets(line, sizeof line, pipe)) {
        std::string symbol(line);
        while (!symbol.empty() && (symbol.back() == '\n' || symbol.back() == '\r')) symbol.pop_back();
        if (!symbol.empty()) symbols.push_back(symbol);
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    return symbols;
}

// A function's name without its parameters and ABI tag: "MessagesFor" for "MessagesFor(std::...)".
std::string FunctionName(const std::string& symbol) {
    std::string name = symbol.substr(0, symbol.find('('));
    if (const auto tag = name.find("[abi:"); tag != std::string::npos) name.erase(tag);
    return name;
}

// Symbols of the list that belong to none of the allowed names (a function's name, or a class whose
// members, table and type information are meant to be seen). Instances of the standard library's
// templates count as allowed: the compiler gives them default visibility and the dynamic linker merges
// them with every other library's copy.
std::vector<std::string> Outside(const std::vector<std::string>& symbols, const std::set<std::string>& names,
                                 const std::vector<std::string>& classes) {
    std::vector<std::string> outside;
    for (const auto& symbol : symbols) {
        bool allowed = names.count(symbol) > 0 || names.count(FunctionName(symbol)) > 0 || symbol.rfind("std::", 0) == 0 ||
                       symbol.find(" for std::") != std::string::npos;
        for (const auto& c : classes) {
            allowed = allowed || symbol.rfind(c + "::", 0) == 0 || symbol.rfind("guard variable for " + c + "::", 0) == 0 ||
                      symbol == "vtable for " + c || symbol == "typeinfo for " + c || symbol == "typeinfo name for " + c;
        }
        if (!allowed) outside.push_back(symbol);
    }
    return outside;
}

std::string Joined(const std::vector<std::string>& symbols) {
    std::string text;
    for (const auto& s : symbols) text += "\n  " + s;
    return text;
}

}  // namespace

TEST(ExportedSymbols, TheProgramLibraryShowsOnlyItsContract) {
    const auto symbols = DefinedDynamicSymbols("Tdef05C.so");
    EXPECT_EQ(std::set<std::string>(symbols.begin(), symbols.end()),
              (std::set<std::string>{"GetController", "DLLControllerClass", "frmRadicalClass"}))
        << Joined(symbols);
}

TEST(ExportedSymbols, ServersShowTheirFactoryAndTheClassesTheyOffer) {
    const auto pickvu = DefinedDynamicSymbols("libpickvu.so");
    EXPECT_NE(std::find(pickvu.begin(), pickvu.end(), "TkCreateObject"), pickvu.end());
    EXPECT_EQ(Outside(pickvu, {"TkCreateObject", "CreateLookupService()", "DefaultLookupCallbacks()"}, {"TLookupService"}),
              std::vector<std::string>{})
        << "libpickvu.so shows more than its contract";

    const auto annexo = DefinedDynamicSymbols("libannexo.so");
    EXPECT_EQ(
        Outside(annexo, {"TkCreateObject", "CreateAttachmentServer()", "AttachmentConnection()", "DefaultAttachmentConnection()"},
                {"TAttachmentServer", "TfrmAttachments"}),
        std::vector<std::string>{})
        << "libannexo.so shows more than its contract";

    // The work center's services: the factory, and what the work center and its tests link against.
    const auto services = DefinedDynamicSymbols("libtorvane-services.so");
    EXPECT_NE(std::find(services.begin(), services.end(), "TkCreateObject"), services.end());
    EXPECT_EQ(
        Outside(services,
                {"TkCreateObject", "CreateHostManager", "BuiltInMessages", "MessagesFor", "ConfiguredServerLocation",
                 "ClientConfigurationFile", "MissingRegistryReason", "WriteDemoInstallation", "kMessagesTsv", "kMessagesEngTsv"},
                {"THostManager", "HostSession", "MessageTable", "TServerLocation", "TConfiguredServer"}),
        std::vector<std::string>{})
        << "libtorvane-services.so shows more than its contract";
    EXPECT_LT(services.size(), 80u) << Joined(services);

    const auto translator = DefinedDynamicSymbols("libRklanguage.so");
    EXPECT_EQ(std::set<std::string>(translator.begin(), translator.end()),
              (std::set<std::string>{"GBtoBIG5", "BIG5toGB", "GetBIG5Data", "GetGBData", "SaveOrder"}))
        << Joined(translator);
}
