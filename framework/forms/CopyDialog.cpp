#include "framework/forms/CopyDialog.h"

#include "toolkit/rtl/Exception.h"

namespace {
TCopyDialogRunner& Runner() {
    static TCopyDialogRunner runner;
    return runner;
}
}  // namespace

void SetCopyDialogRunner(TCopyDialogRunner runner) { Runner() = std::move(runner); }

bool RunCopyDialog(TCustomForm* owner, TClientDataSet* dataSet, TDataSource* source, bool allowEmpty,
                   const std::string& keyFields, TCopyData& data) {
    if (!Runner()) throw EInvalidOperation("No copy dialog is installed");
    return Runner()(owner, dataSet, source, allowEmpty, keyFields, data);
}
