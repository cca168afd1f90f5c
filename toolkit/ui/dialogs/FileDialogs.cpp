#include "toolkit/ui/dialogs/FileDialogs.h"

#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"

namespace {
// Answers every dialog with Cancel: a run without a desktop has nobody to choose a file.
class THeadlessFileDialogService : public IFileDialogService {
public:
    bool Execute(TFileDialogRequest&) override { return false; }
};

std::shared_ptr<IFileDialogService>& Service() {
    static auto* service = new std::shared_ptr<IFileDialogService>(std::make_shared<THeadlessFileDialogService>());
    return *service;
}
}  // namespace

IFileDialogService& FileDialogService() { return *Service(); }

std::shared_ptr<IFileDialogService> SetFileDialogService(std::shared_ptr<IFileDialogService> service) {
    if (!service) service = std::make_shared<THeadlessFileDialogService>();
    std::shared_ptr<IFileDialogService> previous = Service();
    Service() = std::move(service);
    return previous;
}

void TScriptedFileDialogService::QueueFile(const std::string& fileName, int filterIndex) {
    answers_.push_back({false, {fileName}, filterIndex});
}

void TScriptedFileDialogService::QueueFiles(const std::vector<std::string>& fileNames) {
    answers_.push_back({false, fileNames, 0});
}

void TScriptedFileDialogService::QueueCancel() { answers_.push_back({true, {}, 0}); }

bool TScriptedFileDialogService::Execute(TFileDialogRequest& request) {
    requests_.push_back(request);
    if (answers_.empty() || answers_.front().cancel) {
        if (!answers_.empty()) answers_.pop_front();
        return false;
    }
    TAnswer answer = answers_.front();
    answers_.pop_front();
    request.Files = answer.files;
    request.FileName = answer.files.empty() ? std::string() : answer.files.front();
    if (answer.filterIndex > 0) request.FilterIndex = answer.filterIndex;
    return true;
}

void TOpenDialog::Publish(TPublisher<TOpenDialog>& p) {
    p.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    p.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    p.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    p.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
    p.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    p.Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions);
    p.Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    p.Property("OnClose", &TOpenDialog::OnClose);
    p.Property("OnShow", &TOpenDialog::OnShow);
}

void TSaveDialog::Publish(TPublisher<TSaveDialog>& p) {}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner), files_(std::make_unique<TStringList>()) {}

void TOpenDialog::SetDefaultExt(const std::string& value) {
    defaultExt_ = !value.empty() && value[0] == '.' ? value.substr(1) : value;
}

std::string TOpenDialog::WithDefaultExt(const std::string& fileName) const {
    if (defaultExt_.empty() || fileName.empty() || !ExtractFileExt(fileName).empty()) return fileName;
    return fileName + "." + defaultExt_;
}

bool TOpenDialog::Execute() {
    TFileDialogRequest request;
    request.Kind = Kind();
    request.Title = title_;
    request.FileName = fileName_;
    request.Filter = filter_;
    request.FilterIndex = filterIndex_;
    request.DefaultExt = defaultExt_;
    request.InitialDir = initialDir_;
    request.Options = options_;
    if (OnShow) OnShow(this);
    bool chosen = FileDialogService().Execute(request);
    if (chosen) {
        files_->Clear();
        for (const std::string& file : request.Files) files_->Add(WithDefaultExt(file));
        fileName_ = WithDefaultExt(request.FileName);
        if (files_->Count() == 0 && !fileName_.empty()) files_->Add(fileName_);
        filterIndex_ = request.FilterIndex;
    }
    if (OnClose) OnClose(this);
    return chosen;
}

bool TSaveDialog::Execute() {
    if (!TOpenDialog::Execute()) return false;
    if (Options().Contains(ofOverwritePrompt) && FileExists(FileName())) {
        std::string text = FileName() + " already exists.\nDo you want to replace it?";
        if (MessageDlg(text, mtWarning, TMsgDlgButtons{mbYes, mbNo}) != mrYes) return false;
    }
    return true;
}
