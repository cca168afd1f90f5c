#pragma once
// Open and save dialogs on the desktop: Qt's file dialog filled from the toolkit's request (title,
// proposed name, filters "Text|*.txt|All|*.*", filter index, default extension, folder, multiple
// choice, must-exist) and the choice given back.
#include <string>

#include "toolkit/ui/dialogs/FileDialogs.h"

class TQtFileDialogService : public IFileDialogService {
public:
    bool Execute(TFileDialogRequest& request) override;
};

// The Qt name filters of a toolkit filter ("Text files (*.txt)|*.txt|All|*.*" gives
// "Text files (*.txt) (*.txt)", "All (*.*)"): each description with its patterns.
std::string QtNameFilters(const std::string& filter);
