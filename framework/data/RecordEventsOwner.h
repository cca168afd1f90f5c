#pragma once
// What the data module asks of the form that owns it when cdsMain's records change. The program
// forms implement it; a data module without such an owner posts and scrolls unhindered.
class TDataSet;

class IRecordEventsOwner {
public:
    virtual ~IRecordEventsOwner() = default;
    // Asked before a row is posted; false refuses the post (the form has told the user why).
    virtual bool ValidateBeforePost(TDataSet* dataSet) = 0;
    // The current row of the dataset changed.
    virtual void RecordChanged(TDataSet* dataSet) = 0;
    // The form's edit mode: 0 browse, 1 edit, 2 insert.
    virtual int RecordEditMode() const = 0;
};
