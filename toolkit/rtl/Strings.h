#pragma once
// String lists with the classic behaviour: name=value lines, text and comma/delimited text round
// trips, objects per line, sorting with duplicates handling. Indexes are 0-based; a bad index raises
// EListError "List index out of bounds (<i>)". Comparisons fold ASCII case unless CaseSensitive.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/rtl/Exception.h"  // the errors these functions raise

enum class TDuplicates {
    dupIgnore,
    dupAccept,
    dupError
};

class TStrings {
public:
    TStrings() = default;
    TStrings(const TStrings& other);
    TStrings& operator=(const TStrings& other);
    virtual ~TStrings() = default;

    // Lines.
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int index) const { return Strings(index); }
    const std::string& Strings(int index) const;
    virtual void SetStrings(int index, const std::string& s);
    void* Objects(int index) const;
    void SetObjects(int index, void* object);

    int Add(const std::string& s) { return AddItem(s, nullptr); }
    int AddObject(const std::string& s, void* object) { return AddItem(s, object); }
    void Insert(int index, const std::string& s) { InsertItem(index, s, nullptr); }
    void InsertObject(int index, const std::string& s, void* object) { InsertItem(index, s, object); }
    void Delete(int index);
    void Clear();
    void AddStrings(const TStrings& other);
    void AddStrings(const std::vector<std::string>& lines);
    virtual void Assign(const TStrings& other);  // lines, objects and the delimiters
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);

    // Searches: first line equal to s, line whose name is name, line holding the object; -1 if none.
    virtual int IndexOf(const std::string& s) const;
    int IndexOfName(const std::string& name) const;
    int IndexOfObject(const void* object) const;

    // name=value lines. A line without the separator has an empty name and value.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Values(const std::string& name) const;
    void SetValue(const std::string& name, const std::string& value);  // "" deletes the line
    char NameValueSeparator = '=';

    // Whole-list texts. Text lines end with CR LF; reading accepts CR LF, LF or CR.
    std::string Text() const;
    void SetText(const std::string& text);
    std::string CommaText() const;  // DelimitedText with ',' and '"'
    void SetCommaText(const std::string& text);
    std::string DelimitedText() const;
    void SetDelimitedText(const std::string& text);
    char Delimiter = ',';
    char QuoteChar = '"';
    bool StrictDelimiter = false;  // only Delimiter separates (not blanks too)

    std::vector<std::string> ToVector() const;

    // Files hold UTF-8 text (a leading BOM is skipped). Failures raise EInOutError.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    bool CaseSensitive() const { return caseSensitive_; }
    virtual void SetCaseSensitive(bool value) { caseSensitive_ = value; }
    // Compares two strings as the list does (sign of the difference).
    int CompareStrings(const std::string& a, const std::string& b) const;

    // Change notification; BeginUpdate/EndUpdate fold a batch into one OnChange.
    std::function<void()> OnChanging;
    std::function<void()> OnChange;
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

protected:
    struct Item {
        std::string text;
        void* object = nullptr;
    };
    void CheckIndex(int index) const;
    virtual int AddItem(const std::string& s, void* object);
    virtual void InsertItem(int index, const std::string& s, void* object);
    void Changing();
    void Changed();
    std::vector<Item> items_;

private:
    bool caseSensitive_ = false;
    int updateCount_ = 0;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);
    explicit TStringList(const std::vector<std::string>& lines) { AddStrings(lines); }

    // A sorted list keeps its order on Add; Insert and SetStrings raise EListError on it.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates = TDuplicates::dupIgnore;  // only consulted while Sorted
    void SetCaseSensitive(bool value) override;

    void SetStrings(int index, const std::string& s) override;
    int IndexOf(const std::string& s) const override;
    void Assign(const TStrings& other) override;

    // Binary search on a sorted list: true when found; index is the match or the insertion point.
    bool Find(const std::string& s, int& index) const;
    void Sort();
    // compare(list, i, j) < 0 when line i goes before line j. The sort is stable.
    using TStringListSortCompare = std::function<int(const TStringList& list, int index1, int index2)>;
    void CustomSort(const TStringListSortCompare& compare);

protected:
    int AddItem(const std::string& s, void* object) override;
    void InsertItem(int index, const std::string& s, void* object) override;

private:
    bool sorted_ = false;
};
