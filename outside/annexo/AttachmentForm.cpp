#include "outside/annexo/AttachmentForm.h"

#include "toolkit/os/Shell.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/dialogs/FileDialogs.h"

namespace {

template <class T>
T* Make(TForm* form, const std::string& name, int left, int top, int width, int height) {
    auto* control = CreateComponent<T>(form);
    control->SetName(name);
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    return control;
}

TButton* Button(TForm* form, const std::string& name, const std::string& caption, int left, int top) {
    auto* button = Make<TButton>(form, name, left, top, 80, 25);
    button->SetCaption(caption);
    return button;
}

std::string SizeText(long long bytes) {
    if (bytes < 1024) return std::to_string(bytes) + " B";
    if (bytes < 1024 * 1024) return std::to_string((bytes + 1023) / 1024) + " KB";
    return std::to_string((bytes + 1024 * 1024 - 1) / (1024 * 1024)) + " MB";
}

// "20240102083000000" as "2024/01/02 08:30".
std::string StampText(const std::string& stamp) {
    if (stamp.size() < 12) return stamp;
    return stamp.substr(0, 4) + "/" + stamp.substr(4, 2) + "/" + stamp.substr(6, 2) + " " + stamp.substr(8, 2) + ":" +
           stamp.substr(10, 2);
}

}  // namespace

TfrmAttachments::TfrmAttachments(TComponent* owner, TAttachmentFiles& files) : TForm(owner), files_(files) {
    SetName("frmAttachments");
    SetCaption("附件");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 600, 360);
    lblDocument = Make<TLabel>(this, "lblDocument", 10, 10, 580, 18);
    lblDocument->SetCaption("单据: " + files.Request().key);
    sgFiles = Make<TStringGrid>(this, "sgFiles", 10, 32, 480, 290);
    sgFiles->SetColCount(5);
    sgFiles->SetFixedCols(0);
    sgFiles->SetOptions(sgFiles->Options() + goRowSelect);
    const char* titles[] = {"文件名", "大小", "备注", "附加者", "时间"};
    const int widths[] = {170, 60, 90, 60, 100};
    for (int c = 0; c < 5; ++c) {
        sgFiles->SetCells(c, 0, titles[c]);
        sgFiles->SetColWidths(c, widths[c]);
    }
    btnAdd = Button(this, "btnAdd", "添加(&A)", 505, 32);
    btnOpen = Button(this, "btnOpen", "打开(&O)", 505, 64);
    btnDelete = Button(this, "btnDelete", "删除(&D)", 505, 96);
    btnClose = Button(this, "btnClose", "关闭(&C)", 505, 297);
    btnClose->SetCancel(true);
    btnClose->SetModalResult(mrOk);
    btnAdd->SetEnabled(files.Request().editable);
    btnAdd->OnClick = [this](TObject*) { AddFile(); };
    btnOpen->OnClick = [this](TObject*) { OpenFile(); };
    btnDelete->OnClick = [this](TObject*) { DeleteFile(); };
    sgFiles->OnDblClick = [this](TObject*) { OpenFile(); };
    Reload();
    SetActiveControl(sgFiles);
}

void TfrmAttachments::Reload() {
    std::vector<TAttachedFile> list = files_.List();
    sgFiles->SetRowCount(static_cast<int>(list.size()) + 1);
    if (list.empty()) {
        sgFiles->SetRowCount(2);
        for (int c = 0; c < 5; ++c) sgFiles->SetCells(c, 1, "");
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        sgFiles->SetCells(0, row, list[i].fileName);
        sgFiles->SetCells(1, row, SizeText(list[i].size));
        sgFiles->SetCells(2, row, list[i].remark);
        sgFiles->SetCells(3, row, list[i].creator);
        sgFiles->SetCells(4, row, StampText(list[i].created));
    }
    sgFiles->SetFixedRows(1);
    btnOpen->SetEnabled(!list.empty());
    btnDelete->SetEnabled(!list.empty() && files_.Request().editable);
}

std::string TfrmAttachments::SelectedFile() const {
    const int row = sgFiles->Row();
    return row >= 1 && row < sgFiles->RowCount() ? sgFiles->Cells(0, row) : std::string();
}

void TfrmAttachments::Report(const std::exception& e) { MessageDlg(e.what(), mtError, {mbOK}); }

void TfrmAttachments::AddFile() {
    TOwnedPtr<TOpenDialog> dialog(CreateComponent<TOpenDialog>(this));
    dialog->SetTitle("添加附件");
    dialog->SetFilter("所有文件 (*.*)|*.*");
    dialog->SetOptions(dialog->Options() + ofFileMustExist);
    if (!dialog->Execute()) return;
    try {
        files_.Add(dialog->FileName());
        Reload();
    } catch (const std::exception& e) {
        Report(e);
    }
}

void TfrmAttachments::OpenFile() {
    const std::string name = SelectedFile();
    if (name.empty()) return;
    try {
        ShellExecute("open", files_.Fetch(name));
    } catch (const std::exception& e) {
        Report(e);
    }
}

void TfrmAttachments::DeleteFile() {
    const std::string name = SelectedFile();
    if (name.empty() || !files_.Request().editable) return;
    if (MessageDlg("确定要删除附件 " + name + " 吗?", mtConfirmation, {mbOK, mbCancel}) != mrOk) return;
    try {
        files_.Remove(name);
        Reload();
    } catch (const std::exception& e) {
        Report(e);
    }
}
