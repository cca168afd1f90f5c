#pragma once
// The read-only registry stand-in: a text file named by the environment variable VANDRIL_REGISTRY.
// Format (documented in the README): INI-like, one section per key, "name=value" lines.
//   [HKEY_LOCAL_MACHINE\Software\RKT\Vandril]
//   ClientPath=/opt/velora/client/
//   ANSICodePage=936
//   [HKEY_LOCAL_MACHINE\Software\Classes\CLSID\Nexor01S.Class1]
//   Library=libappserver.so
//   Factory=TkCreateObject
// Key names compare without regard to case and to the direction of the separators; a key given
// without a hive means HKEY_LOCAL_MACHINE (HKLM, HKCU, HKCR and HKU abbreviate the hives). Keys above a
// listed key exist too (without values). Names compare without regard to case; values are trimmed.
// Lines starting with ';' or '#' are comments. The file is read once, when the object is made.
#include <map>
#include <optional>
#include <string>
#include <vector>

class TRegistry {
public:
    // Loads the file named by VANDRIL_REGISTRY (no file: every key is missing).
    TRegistry();
    // Loads the given file (tests).
    explicit TRegistry(const std::string& file);

    bool KeyExists(const std::string& key) const;
    // Opens a key read-only; false when it is missing.
    bool OpenKeyReadOnly(const std::string& key);
    bool ValueExists(const std::string& name) const;        // in the open key
    std::string ReadString(const std::string& name) const;  // "" when missing
    std::vector<std::string> ValueNames() const;
    std::vector<std::string> SubKeys(const std::string& key) const;
    std::optional<std::string> Read(const std::string& key, const std::string& name) const;

    // Where the file was looked for ("" when VANDRIL_REGISTRY is unset) and whether it was found.
    const std::string& FileName() const { return file_; }
    bool Loaded() const { return loaded_; }

private:
    static std::string NormalizeKey(const std::string& key);
    void RememberNames(const std::string& normalized, const std::string& written);
    std::string file_;
    bool loaded_ = false;
    std::map<std::string, std::map<std::string, std::string>> keys_;  // normalized key -> (upper name -> value)
    std::map<std::string, std::string> names_;                        // normalized key|upper name -> original name
    std::map<std::string, std::string> keyNames_;                     // normalized key -> its last part as written
    std::string open_;
};
