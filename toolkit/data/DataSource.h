#pragma once
// The data source between a dataset and the controls showing it, and the links controls hold.
// Notifications are plain virtual calls and callbacks here; the control layer builds on them.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/classes/Component.h"
#include "toolkit/data/DataTypes.h"

class TDataLink;
class TDataSource;
using TDataChangeEvent = std::function<void(TDataSource* Sender, TField* Field)>;

class TDataSource : public TComponent {
    TK_CLASS(TDataSource, TComponent)
public:
    explicit TDataSource(TComponent* owner = nullptr) : TComponent(owner) {}
    explicit TDataSource(TDataSet* dataSet) : TComponent(nullptr) { SetDataSet(dataSet); }
    ~TDataSource() override;
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool AutoEdit = true;
    // The dataset's state as the links see it (inactive when disabled or without a dataset).
    TDataSetState State() const;
    // Puts the dataset into Edit when AutoEdit allows it and it is browsing.
    void Edit();
    bool IsLinkedTo(const TDataSet* dataSet) const;

    TDataChangeEvent OnDataChange;
    TNotifyEvent OnStateChange;
    TNotifyEvent OnUpdateData;

    // Used by datasets and links.
    void DataEvent(TDataEvent event, const void* info);
    void DataSetDestroyed(TDataSet* dataSet);
    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);
    const std::vector<TDataLink*>& Links() const { return links_; }

private:
    void NotifyLinks(TDataEvent event, const void* info);

    TDataSet* dataSet_ = nullptr;
    bool enabled_ = true;
    TDataSetState lastState_ = dsInactive;
    std::vector<TDataLink*> links_;
};

// What a control holds to follow a data source. Override the virtual notifications.
class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    bool Active() const;   // the source is enabled and its dataset open
    bool Editing() const;  // the dataset is in edit or insert
    bool ReadOnly = false;
    bool Edit();          // asks the source to edit; true when the dataset is editing afterwards
    void UpdateRecord();  // runs UpdateData now

    // Notifications.
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int distance) { DataSetChanged(); }
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* field) {}
    virtual void EditingChanged() {}
    virtual void UpdateData() {}
    virtual void CheckBrowseMode() {}
    virtual void FocusControl(TField** field) {}

    void DataEvent(TDataEvent event, const void* info);  // used by the data source
    void SourceGone() { dataSource_ = nullptr; }

private:
    void UpdateState();

    TDataSource* dataSource_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
    bool updating_ = false;
};

// The link of a control bound to one field. Modified() marks text typed but not yet written;
// UpdateData (on post or leaving the control) calls OnUpdateData to write it.
class TFieldDataLink : public TDataLink {
public:
    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& name);
    TField* Field() const { return field_; }
    bool CanModify() const;
    void Modified() { modified_ = true; }
    bool IsModified() const { return modified_; }
    void Reset();  // forget typed text and show the field's value again

    std::function<void()> OnDataChange;  // show the field's value
    std::function<void()> OnEditingChange;
    std::function<void()> OnUpdateData;  // write the control's text into the field
    std::function<void()> OnActiveChange;
    std::function<void()> OnFocusControl;  // the field wants the focus

    void ActiveChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* field) override;
    void EditingChanged() override;
    void UpdateData() override;
    void FocusControl(TField** field) override;

private:
    void UpdateField();

    std::string fieldName_;
    TField* field_ = nullptr;
    bool modified_ = false;
};
