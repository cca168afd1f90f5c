#pragma once
// Open and save dialogs. Execute hands a request to the file dialog service (the renderer's real
// dialog under the work center; a scripted one in tests and script runs; without one it answers
// Cancel) and takes back the chosen file. A chosen name without an extension gets DefaultExt; with
// ofOverwritePrompt a save over an existing file asks first ("Replace" refused counts as Cancel).
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/classes/Component.h"

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofNoReadOnlyReturn,
    ofEnableSizing
};
TK_ENUM_TYPE(TOpenOption, "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofAllowMultiSelect",
             "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt", "ofNoReadOnlyReturn",
             "ofEnableSizing")
using TOpenOptions = TSet<TOpenOption>;

// What a file dialog is asked to show, and what the user chose.
struct TFileDialogRequest {
    enum TKind {
        Open,
        Save
    };
    TKind Kind = Open;
    std::string Title;
    std::string FileName;  // proposed, then chosen
    std::string Filter;    // "Excel files (*.xls)|*.xls|All files (*.*)|*.*"
    int FilterIndex = 1;   // 1-based, then the one chosen
    std::string DefaultExt;
    std::string InitialDir;
    TOpenOptions Options;
    std::vector<std::string> Files;  // chosen (several with ofAllowMultiSelect)
};

class IFileDialogService {
public:
    virtual ~IFileDialogService() = default;
    // Shows the dialog; fills in the choice and returns true, or returns false for Cancel.
    virtual bool Execute(TFileDialogRequest& request) = 0;
};

// The process's file dialog service; the setter returns the one it replaces.
IFileDialogService& FileDialogService();
std::shared_ptr<IFileDialogService> SetFileDialogService(std::shared_ptr<IFileDialogService> service);

// A service driven by a script: queued choices for the next dialogs, each request recorded.
class TScriptedFileDialogService : public IFileDialogService {
public:
    // The next dialog chooses this file (several, for a multi-select one) / is cancelled.
    void QueueFile(const std::string& fileName, int filterIndex = 0);
    void QueueFiles(const std::vector<std::string>& fileNames);
    void QueueCancel();
    const std::vector<TFileDialogRequest>& Requests() const { return requests_; }
    bool Execute(TFileDialogRequest& request) override;

private:
    struct TAnswer {
        bool cancel = false;
        std::vector<std::string> files;
        int filterIndex = 0;
    };
    std::deque<TAnswer> answers_;
    std::vector<TFileDialogRequest> requests_;
};

class TOpenDialog : public TComponent {
    TK_CLASS_PUBLISHED(TOpenDialog, TComponent)
public:
    explicit TOpenDialog(TComponent* owner);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& value) { filter_ = value; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& value);  // without the dot
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& value) { initialDir_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions value) { options_ = value; }
    TStrings* Files() const { return files_.get(); }

    // True when the user chose a file (FileName and Files then hold the choice).
    virtual bool Execute();

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    virtual TFileDialogRequest::TKind Kind() const { return TFileDialogRequest::Open; }
    // The chosen name with DefaultExt added when it has no extension.
    std::string WithDefaultExt(const std::string& fileName) const;

private:
    std::string fileName_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string defaultExt_;
    std::string initialDir_;
    std::string title_;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
    std::unique_ptr<TStringList> files_;
};

class TSaveDialog : public TOpenDialog {
    TK_CLASS_PUBLISHED(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
    bool Execute() override;

protected:
    TFileDialogRequest::TKind Kind() const override { return TFileDialogRequest::Save; }
};
