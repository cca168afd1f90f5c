#pragma once
// What every control bound to one field shares: the data source and field name it shows, the
// field link that tells it of data changes, and the rule of when its text is the field's edit text
// (while it has the focus) or its display text.
#include <functional>
#include <string>

#include "toolkit/data/DataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/ui/kernel/Controls.h"

class TFieldControlLink {
public:
    // show: put the field's value on screen; write: store the control's value in the field.
    TFieldControlLink(TControl& control, std::function<void()> show, std::function<void()> write);
    TFieldControlLink(const TFieldControlLink&) = delete;
    TFieldControlLink& operator=(const TFieldControlLink&) = delete;

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source) { link_.SetDataSource(source); }
    const std::string& DataField() const { return link_.FieldName(); }
    void SetDataField(const std::string& name) { link_.SetFieldName(name); }
    TField* Field() const { return link_.Field(); }
    bool ReadOnly() const { return link_.ReadOnly; }
    void SetReadOnly(bool value) { link_.ReadOnly = value; }

    // Whether the user may change the value now: there is a field that can be written, and the
    // dataset is (put) in edit state.
    bool BeginChange();
    bool CanModify() const { return link_.CanModify(); }
    void Modified() { link_.Modified(); }
    bool IsModified() const { return link_.IsModified(); }
    // Forgets what the user changed and shows the field again.
    void Reset() { link_.Reset(); }
    // Writes a pending change (through the field's text rules and validation); exceptions pass.
    void UpdateRecord() { link_.UpdateRecord(); }
    // True while the link is putting the field on screen (changes then are not the user's).
    bool Showing() const { return showing_; }
    // The field's text as the control should show it now (edit text while focused and writable).
    std::string FieldText(bool focused) const;

private:
    TControl& control_;
    TFieldDataLink link_;
    std::function<void()> show_;
    std::function<void()> write_;
    bool showing_ = false;
};

// A control class bound to one field: the published DataSource and DataField, and its Field.
// show and write are the link's (see TFieldControlLink).
template <class Base>
class TDataAwareControl : public Base {
public:
    TDataSource* DataSource() const { return data_.DataSource(); }
    void SetDataSource(TDataSource* source) { data_.SetDataSource(source); }
    const std::string& DataField() const { return data_.DataField(); }
    void SetDataField(const std::string& name) { data_.SetDataField(name); }
    TField* Field() const { return data_.Field(); }

protected:
    TDataAwareControl(TComponent* owner, std::function<void()> show, std::function<void()> write)
        : Base(owner), data_(*this, std::move(show), std::move(write)) {}

    TFieldControlLink data_;
};

// A data-aware control whose ReadOnly is the link's own (the base control has none): a read-only
// control shows its field and refuses every change.
template <class Base>
class TDataAwareEditor : public TDataAwareControl<Base> {
public:
    bool ReadOnly() const { return this->data_.ReadOnly(); }
    void SetReadOnly(bool value) {
        this->data_.SetReadOnly(value);
        this->Changed(TPropertyId::ReadOnly);
    }

protected:
    using TDataAwareControl<Base>::TDataAwareControl;
};
