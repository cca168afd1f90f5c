#pragma once
// Changes made between BeginUpdate and EndUpdate are told once, when the last EndUpdate comes.

class TUpdateBatch {
public:
    void Begin() { ++count_; }
    // Whether a change is to be told now; inside a batch it is kept for the end.
    bool TellNow() {
        if (count_ == 0) return true;
        pending_ = true;
        return false;
    }
    // Closes one level: true when the last one closes with a change kept.
    bool End() {
        if (count_ == 0 || --count_ > 0 || !pending_) return false;
        pending_ = false;
        return true;
    }

private:
    int count_ = 0;
    bool pending_ = false;
};
