#pragma once
// The program form of Tdef05 "文档信息录入作业", the maintenance of table definitions. For now a bare
// program window on the radical form: its data module, its version and its caption.
#include "framework/forms/RadicalForm.h"

inline constexpr const char* kTdef05Caption = "文档信息录入作业";
inline constexpr const char* kTdef05Version = "880811-0.00.01";

class TfrmTdef05 : public TfrmRadical {
    TK_CLASS_PUBLISHED(TfrmTdef05, TfrmRadical)
public:
    explicit TfrmTdef05(TComponent* owner);

    TDataModuleClass DataModuleClass() const override;

    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
};
