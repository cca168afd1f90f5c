#include "toolkit/qt/QtFileDialogService.h"

#include <QFileDialog>
#include <QStringList>

#include "toolkit/qt/QtConvert.h"

namespace {

QStringList NameFilters(const std::string& filter) {
    QStringList parts = ToQString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed().replace(';', ' ');
        // Qt reads the patterns from the last parentheses of the text.
        filters << description + " (" + patterns + ")";
    }
    return filters;
}

}  // namespace

std::string QtNameFilters(const std::string& filter) { return FromQString(NameFilters(filter).join(";;")); }

bool TQtFileDialogService::Execute(TFileDialogRequest& request) {
    QFileDialog dialog(nullptr, ToQString(request.Title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    bool save = request.Kind == TFileDialogRequest::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else if (request.Options.Contains(ofAllowMultiSelect))
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else if (request.Options.Contains(ofFileMustExist))
        dialog.setFileMode(QFileDialog::ExistingFile);
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    // The toolkit asks about replacing files itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters = NameFilters(request.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        int index = request.FilterIndex - 1;
        if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    if (!request.DefaultExt.empty()) dialog.setDefaultSuffix(ToQString(request.DefaultExt));
    if (!request.InitialDir.empty()) dialog.setDirectory(ToQString(request.InitialDir));
    if (!request.FileName.empty()) dialog.selectFile(ToQString(request.FileName));
    if (dialog.exec() != QDialog::Accepted) return false;
    request.Files.clear();
    for (const QString& file : dialog.selectedFiles()) request.Files.push_back(FromQString(file));
    if (request.Files.empty()) return false;
    request.FileName = request.Files.front();
    int chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0) request.FilterIndex = chosen + 1;
    return true;
}
