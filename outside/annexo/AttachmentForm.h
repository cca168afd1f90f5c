#pragma once
// The attachment window of one document: its files with size, remark, who attached them and when;
// add a file of the disk, open one (written to the client folder and opened with the desktop's
// program), delete one. Without the right to change (mode other than "1") only opening is offered.
#include "outside/annexo/AttachmentStoreClient.h"
#include "toolkit/rtl/Visibility.h"
#include "toolkit/ui/grids/Grids.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/Label.h"

class TK_EXPORT TfrmAttachments : public TForm {
    TK_CLASS(TfrmAttachments, TForm)
public:
    TfrmAttachments(TComponent* owner, TAttachmentFiles& files);

    TLabel* lblDocument;
    TStringGrid* sgFiles;
    TButton* btnAdd;
    TButton* btnOpen;
    TButton* btnDelete;
    TButton* btnClose;

    // Shows the files of the document again.
    void Reload();
    // The file name of the selected row ("" when none).
    std::string SelectedFile() const;

    void AddFile();
    void OpenFile();
    void DeleteFile();

private:
    TAttachmentFiles& files_;
    void Report(const std::exception& e);
};
