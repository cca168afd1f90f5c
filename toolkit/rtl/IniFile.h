#pragma once
// INI files read and written in place. Section and key names compare without regard to ASCII case;
// values are trimmed. A missing file reads as empty; every write goes to the file at once, keeping
// comments and untouched lines as they were. Lines starting with ';' or '#' are comments. The file is
// UTF-8 (a leading BOM is kept). The file is read again when it changed since it was last read.
// A write that cannot be saved raises EInOutError.
#include <string>
#include <vector>

class TStrings;

class TIniFile {
public:
    explicit TIniFile(std::string fileName);
    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // Decimal or hexadecimal ("$1F", "0x1F") text; other text gives def.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // As ReadInteger: non-zero is true; text that is not an integer gives def.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    double ReadFloat(const std::string& section, const std::string& key, double def) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);  // "1" / "0"
    void WriteFloat(const std::string& section, const std::string& key, double value);

    void ReadSection(const std::string& section, TStrings& keys) const;  // key names
    void ReadSections(TStrings& sections) const;
    void ReadSectionValues(const std::string& section, TStrings& lines) const;  // "name=value"
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& key);
    // Writes are immediate; kept for callers that flush explicitly.
    void UpdateFile();

private:
    struct Entry {
        std::string key;    // as written
        std::string value;  // trimmed
        int line;           // index in lines_
    };
    struct Section {
        std::string name;
        int line;  // header line, -1 for keys before any header
        std::vector<Entry> entries;
    };
    void Refresh() const;
    void Parse() const;
    void Save();
    const Section* FindSection(const std::string& name) const;
    const Entry* FindEntry(const std::string& section, const std::string& key) const;

    std::string fileName_;
    mutable std::vector<std::string> lines_;
    mutable std::vector<Section> sections_;
    mutable bool bom_ = false;
    mutable long long stamp_ = -2;  // modification time and size of the file when last read
    mutable long long size_ = -2;
};
