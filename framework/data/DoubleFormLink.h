#pragma once
// What the master-detail data module asks of the window that owns it, besides what the single-table
// module asks (SingleFormLink.h). A module without such a window runs with the answers of a plain
// window: nothing carried over, body sorting allowed, no status bar.
#include <string>

class TDataSet;

class IDoubleFormLink {
public:
    virtual ~IDoubleFormLink() = default;
    // Comma-separated body fields whose value a new line takes from the previous line when it has none.
    virtual std::string CarryOverFields() const = 0;
    // The body grid goes to its first column that is not fixed (a new line was started).
    virtual void BodyGridToFirstColumn() = 0;
    // The user document's default values for the body grid go into the new line.
    virtual void ApplyBodyUserDefaults() = 0;
    // The body's data source reported a change (scroll, edit, post ...).
    virtual void BodyDataChanged() = 0;
    // The header row was posted.
    virtual void HeaderPosted() = 0;
    // Clicking a body title may sort the body.
    virtual bool BodyTitleSortAllowed() const = 0;
    // The body was sorted: the window shows it again.
    virtual void RefreshBody() = 0;
    // What the window shows now: the browse page of the headers, the body grid.
    virtual bool BrowsePageShowing() const = 0;
    virtual bool BodyGridShowing() const = 0;
    // A panel of the status bar, the text already in the user's script.
    virtual void ShowStatusPanel(int panel, const std::string& text) = 0;
};
