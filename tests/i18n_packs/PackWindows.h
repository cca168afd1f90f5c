#pragma once
// The windows and data modules whose texts the language packs must cover: one entry per class, with
// how to reach an instance from the started programs (Tdef05, and the single-table test program TSGL01
// that carries the single-table chain). A helper who adds a window class adds its line here and its
// entries to data/MultiLanguage/ENG and CHT.
#include <functional>
#include <string>
#include <vector>

class TComponent;
class TfrmRadical;

class TScriptedModalLoop;

// The program windows, started as the work center starts them, in the interface's language, and the
// modal loop their dialogs are shown in.
class IPackPrograms {
public:
    virtual ~IPackPrograms() = default;
    virtual TfrmRadical& Tdef05() = 0;
    virtual TfrmRadical& Tsgl01() = 0;
    virtual TScriptedModalLoop& ModalLoop() = 0;
};

using TInspect = std::function<void(TComponent& instance)>;

struct TPackWindow {
    std::string ClassName;
    // Brings the instance up as its user sees it (a dialog shown through the command that shows it)
    // and inspects it; an instance never inspected counts as not reached.
    std::function<void(IPackPrograms& programs, const TInspect& inspect)> Visit;
    // Texts that are data, not the program's own (the caption built from the program's name and the
    // company's; labels of the program's fields): "Caption", "lblX.Caption" ...
    std::vector<std::string> DataTexts;
};

const std::vector<TPackWindow>& PackWindows();
