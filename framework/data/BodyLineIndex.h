#pragma once
// What typing lines asks of a document's body again and again: the highest line number and how many
// lines have given key values. Each is worked out once over the lines, then kept up to date as lines
// are added, for as long as the lines change in no other way (the rows' stamp tells).
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class TClientDataSet;

class TBodyLineIndex {
public:
    // stampOf, in both: the dataset whose rows' stamp says whether what is kept still holds: rows
    // itself, or the dataset rows is a clone of (a clone asked for the stamp first takes in every
    // change of its source, a walk over all its rows).
    // The highest value of the field over the rows, a text that is no number counting as 0.
    std::int64_t HighestNumber(TClientDataSet* rows, const std::string& fieldName, TClientDataSet* stampOf);
    // How many rows have the text of the named fields ("A+B" split beforehand, see KeyText).
    int CountKey(TClientDataSet* rows, const std::vector<std::string>& names, const std::string& text, TClientDataSet* stampOf);
    // The values of the named fields as one text, as CountKey compares them.
    static std::string KeyText(TClientDataSet* rows, const std::vector<std::string>& names);

    // Around the post of a body row: a new row that is the only change is added to what is kept.
    void RowPosting(TClientDataSet* body);
    void RowPosted(TClientDataSet* body);

private:
    struct THighest {
        std::uint64_t stamp = 0;
        std::int64_t value = 0;
    };
    struct TKeyCounts {
        std::vector<std::string> names;
        std::uint64_t stamp = 0;
        std::unordered_map<std::string, int> counts;
    };
    std::map<std::string, THighest> highest_;  // by field name
    std::map<std::string, TKeyCounts> keys_;   // by the names joined
    std::uint64_t stampBeforePost_ = 0;        // 0: the post under way is no insert worth following
};
