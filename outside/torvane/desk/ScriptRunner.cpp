#include "outside/torvane/desk/ScriptRunner.h"

#include <strings.h>

#include <cstdio>
#include <fstream>

#include "outside/torvane/ClientConfiguration.h"
#include "outside/torvane/desk/MainWindow.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/os/Registry.h"
#include "toolkit/qt/QtMessageService.h"
#include "toolkit/qt/QtRenderer.h"
#include "toolkit/qt/QtUserInput.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/dialogs/FileDialogs.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/DataModule.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/Menus.h"

namespace {

bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::string Joined(const std::vector<std::string>& words, std::size_t from = 0) {
    std::string text;
    for (std::size_t i = from; i < words.size(); ++i) text += (i > from ? " " : "") + words[i];
    return text;
}

// A window as a user knows it: its caption and, for whoever reads the script, its name or class.
std::string WindowText(const TCustomForm* form) {
    if (!form) return "no window";
    const std::string id = form->Name().empty() ? form->ClassName() : form->Name();
    return "the window \"" + form->Caption() + "\" (" + id + ")";
}

// A property as text: enumerations and sets by name, objects by their component name.
std::string PropertyText(const TObject* instance, const std::string& path) {
    switch (PropType(instance, path)) {
        case tkEnumeration: return GetEnumProp(instance, path);
        case tkSet: return GetSetProp(instance, path, true);
        case tkClass: {
            auto* component = dynamic_cast<TComponent*>(GetObjectProp(instance, path));
            return component ? component->Name() : std::string();
        }
        case tkBoolean: return GetOrdProp(instance, path) != 0 ? "True" : "False";
        case tkStrings: {
            TStrings* lines = GetStringsProp(instance, path);
            return lines ? lines->Text() : std::string();
        }
        case tkString: return GetStrProp(instance, path);
        default: return VarToStr(GetPropValue(instance, path));
    }
}

// A file's whole text, or nothing when it cannot be read.
std::optional<std::string> ReadFileText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool SameValue(const std::string& found, const std::string& expected) {
    if (found == expected) return true;
    // Booleans and numbers as a person writes them.
    if (SameName(found, expected) && (SameName(found, "true") || SameName(found, "false"))) return true;
    double a = 0, b = 0;
    return TryStrToFloat(found, a) && TryStrToFloat(expected, b) && a == b;
}

// The literal pieces of a message template (the parts between its format placeholders).
std::vector<std::string> LiteralPieces(const std::string& text) {
    std::vector<std::string> pieces;
    std::string piece;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            std::size_t j = i + 1;
            while (j < text.size() && std::string("-.0123456789").find(text[j]) != std::string::npos) ++j;
            if (j < text.size() && std::isalpha(static_cast<unsigned char>(text[j]))) {
                pieces.push_back(Trim(piece));
                piece.clear();
                i = j;
                continue;
            }
        }
        piece += text[i];
    }
    pieces.push_back(Trim(piece));
    std::erase_if(pieces, [](const std::string& p) { return p.empty(); });
    return pieces;
}

bool ShowsTemplate(const std::string& shown, const std::string& pattern) {
    std::size_t at = 0;
    for (const std::string& piece : LiteralPieces(pattern)) {
        at = shown.find(piece, at);
        if (at == std::string::npos) return false;
        at += piece.size();
    }
    return true;
}

TButton* DefaultButtonOf(TMessageForm& form) {
    TButton* first = nullptr;
    for (TComponent* component : form.ComponentList()) {
        auto* button = dynamic_cast<TButton*>(component);
        if (!button) continue;
        if (button->Default()) return button;
        if (!first) first = button;
    }
    return first;
}

}  // namespace

TScriptRunner::TScriptRunner(TWorkCenter& center, std::ostream& out, std::ostream& err) : center_(center), out_(out), err_(err) {
    center_.OnEvent = [this](const std::string& program, std::int32_t code) {
        out_ << program << ": event " << HostEventText(code) << std::endl;
    };
}

TScriptRunner::~TScriptRunner() {
    if (mainWindow_) mainWindow_->Free();
    center_.OnEvent = nullptr;
}

int TScriptRunner::Run(const std::vector<TScriptLine>& lines) {
    // Nothing runs of a script that cannot run to its end.
    if (const std::string problem = CheckScript(lines); !problem.empty()) {
        err_ << "torvane: " << problem << std::endl;
        return 2;
    }
    InstallQtRenderer();
    lines_ = lines;
    next_ = 0;
    finished_ = false;
    exit_ = 0;
    TQtMessageService* messages = QtMessageService();
    // Messages count from the start of this run.
    lookupsChecked_ = center_.MessageLookups().size();
    messagesChecked_ = messages->Shown().size();
    auto previousHook = messages->OnShown;
    // File dialogs would wait for a person: in scripts they are cancelled.
    auto previousFiles = SetFileDialogService(std::make_shared<TScriptedFileDialogService>());
    messages->OnShown = [this](TMessageForm& form, const TShownMessage& message) { AnswerMessage(form, message); };
    RunWhenIdle([this] { Step(); });
    RunQtApplication();

    // What the script left open closes now (messages it raises take their default answers).
    Application->ClearTerminated();
    try {
        center_.Programs().CloseAll();
    } catch (const std::exception& e) {
        err_ << "torvane: closing the programs: " << e.what() << std::endl;
    }
    if (mainWindow_) {
        mainWindow_->Free();
        mainWindow_ = nullptr;
    }
    ProcessQtEvents();
    messages->OnShown = previousHook;
    SetFileDialogService(previousFiles);
    RestoreClientFile();
    return exit_;
}

void TScriptRunner::Finish(int code) {
    if (finished_) return;
    finished_ = true;
    exit_ = code;
    Application->Terminate();
}

bool TScriptRunner::MessageBoxShowing() {
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (auto* form = dynamic_cast<TMessageForm*>(Screen->Forms(i)); form && form->Visible()) return true;
    return false;
}

void TScriptRunner::Step() {
    if (finished_) return;
    if (!answerProblem_.empty()) {
        err_ << "torvane: " << answerProblem_ << std::endl;
        Finish(1);
        return;
    }
    // A message box on screen is the runner's to answer (queued answers or its default button):
    // the next line waits until it is gone.
    if (MessageBoxShowing()) {
        RunWhenIdle([this] { Step(); });
        return;
    }
    if (next_ >= lines_.size()) {
        Finish(0);
        return;
    }
    const TScriptLine line = lines_[next_++];
    // The next line runs when the windows are at rest again: after this one, or inside the modal
    // window it opens.
    RunWhenIdle([this] { Step(); });
    try {
        Execute(line);
    } catch (const EScriptFailure& e) {
        if (!finished_) err_ << "torvane: line " << line.Number << ": " << e.Message() << std::endl;
        Finish(1);
    } catch (const std::exception& e) {
        if (!finished_) err_ << "torvane: line " << line.Number << ": " << Joined(line.Words) << ": " << e.what() << std::endl;
        Finish(1);
    }
}

void TScriptRunner::Execute(const TScriptLine& line) {
    const std::vector<std::string>& w = line.Words;
    const std::string command = LowerCase(w[0]);
    if (command == "login") {
        Login(w);
    } else if (command == "codepage") {
        CodePage(w);
    } else if (command == "open") {
        Open(w);
    } else if (command == "click") {
        Click(w[1]);
    } else if (command == "key") {
        for (std::size_t i = 1; i < w.size(); ++i) {
            TCustomForm* form = CurrentForm();
            if (!form) throw EScriptFailure("expected a window for key " + w[i] + ", found none");
            if (!PressKeys(w[i], form))
                throw EScriptFailure("expected a key name (F5, Ctrl+Tab, Enter ...), found \"" + w[i] + "\"");
        }
    } else if (command == "focus") {
        auto* control = dynamic_cast<TWinControl*>(Need(w[1]));
        if (!control || !control->CanFocus()) throw EScriptFailure("expected " + w[1] + " to take the focus, found it cannot");
        control->SetFocus();
        ProcessQtEvents();
    } else if (command == "hover") {
        if (!HoverControl(dynamic_cast<TControl*>(Need(w[1]))))
            throw EScriptFailure("expected " + w[1] + " showing on a window, found it is not");
    } else if (command == "type") {
        Type(w[1], Joined(w, 2));
    } else if (command == "write") {
        TCustomForm* form = CurrentForm();
        if (!form || !form->ActiveControl()) throw EScriptFailure("expected a focused control to write into, found none");
        TypeText(Joined(w, 1), form);
    } else if (command == "cell") {
        Cell(w);
    } else if (command == "answer") {
        answers_.push_back(w[1]);
    } else if (command == "expect") {
        Expect(w[1], w[2], Joined(w, 3));
    } else if (command == "expect-field") {
        ExpectField(w[1], w[2], Joined(w, 3));
    } else if (command == "expect-message") {
        ExpectMessage(w[1], w[2]);
    } else if (command == "screenshot") {
        Screenshot(Joined(w, 1));
    } else if (command == "close") {
        CloseCurrent();
    } else {
        throw EScriptFailure(
            "expected a command (login, codepage, open, click, key, focus, hover, type, write, cell, answer, expect, "
            "expect-field, "
            "expect-message, screenshot, close), found \"" +
            w[0] + "\"");
    }
}

void TScriptRunner::Login(const std::vector<std::string>& words) {
    try {
        center_.Login({words[1], words[2], words[3]}, words.size() > 4 ? words[4] : std::string());
    } catch (const std::exception& e) {
        throw EScriptFailure("expected the login " + words[1] + " " + words[2] + " " + words[3] +
                             " to succeed, found: " + e.what());
    }
    mainWindow_ = CreateComponent<TfrmWorkCenter>(nullptr, center_);
    // The script's own events stay in the output.
    center_.OnEvent = [this](const std::string& program, std::int32_t code) {
        out_ << program << ": event " << HostEventText(code) << std::endl;
        if (mainWindow_) mainWindow_->ShowProgramEvent(program, code);
    };
    mainWindow_->LoadPrograms();
    mainWindow_->Show();
    ProcessQtEvents();
    const TLogin& login = center_.CurrentLogin();
    out_ << "login: " << login.User << "@" << login.Company << "/" << login.Database << std::endl;
}

void TScriptRunner::CodePage(const std::vector<std::string>& words) {
    const std::string clientFile = ClientConfigurationFile();
    if (clientFile.empty()) throw EScriptFailure("expected an installation with a client folder, found none");
    if (!savedClientFile_) savedClientFile_.emplace(clientFile, ReadFileText(clientFile));
    TIniFile ini(clientFile);
    ini.WriteString("CodePage", "UICodePage", words[1]);
    if (words.size() > 2) ini.WriteString("CodePage", "DBCodePage", words[2]);
    ini.UpdateFile();
    out_ << "codepage: " << Joined(words, 1) << std::endl;
}

void TScriptRunner::RestoreClientFile() {
    if (!savedClientFile_) return;
    const auto& [file, text] = *savedClientFile_;
    if (text)
        std::ofstream(file, std::ios::binary | std::ios::trunc) << *text;
    else
        std::remove(file.c_str());
    savedClientFile_.reset();
}

void TScriptRunner::Open(const std::vector<std::string>& words) {
    if (!center_.LoggedIn()) throw EScriptFailure("expected a login before open, found none");
    TScriptOpenOptions options;
    std::string error;
    if (!ParseOpenOptions(words, options, error)) throw EScriptFailure(error);
    try {
        center_.Open(words[1], options.RunMode, options.Rights, options.Param);
    } catch (const EProgramOpen& e) {
        throw EScriptFailure("expected " + words[1] + " to open, found: " + e.Message());
    }
    ProcessQtEvents();
    if (TCustomForm* form = center_.Programs().Window(words[1])) out_ << "caption: " << form->Caption() << std::endl;
}

TCustomForm* TScriptRunner::CurrentForm() {
    TCustomForm* active = Screen->ActiveForm();
    if (active && active->Visible() && active != mainWindow_) return active;
    if (TCustomForm* program = center_.Programs().Window()) return program;
    return mainWindow_;
}

TComponent* TScriptRunner::FindIn(TComponent* root, const std::string& name) {
    if (!root) return nullptr;
    if (SameName(root->Name(), name)) return root;
    for (TComponent* component : root->ComponentList())
        if (TComponent* found = FindIn(component, name)) return found;
    return nullptr;
}

TComponent* TScriptRunner::Find(const std::string& name) {
    if (SameName(name, "form")) return CurrentForm();
    std::vector<TComponent*> roots{CurrentForm(), center_.Programs().Window(), mainWindow_};
    for (TComponent* root : roots)
        if (TComponent* found = FindIn(root, name)) return found;
    for (int i = 0; i < Screen->DataModuleCount(); ++i)
        if (TComponent* found = FindIn(Screen->DataModules(i), name)) return found;
    for (TCustomForm* form : Screen->FormList())
        if (form->Visible())
            if (TComponent* found = FindIn(form, name)) return found;
    return nullptr;
}

TComponent* TScriptRunner::Need(const std::string& name) {
    TComponent* component = Find(name);
    TCustomForm* form = CurrentForm();
    if (!component) throw EScriptFailure("expected a component named " + name + ", found none in " + WindowText(form));
    return component;
}

void TScriptRunner::Click(const std::string& name) {
    TComponent* component = Need(name);
    if (auto* item = dynamic_cast<TMenuItem*>(component)) {
        if (!item->Enabled() || !item->Visible())
            throw EScriptFailure("expected menu item " + name + " to be enabled, found it disabled");
        item->Click();
        ProcessQtEvents();
        return;
    }
    auto* control = dynamic_cast<TControl*>(component);
    if (!control) throw EScriptFailure("expected " + name + " to be a control or menu item, found a " + component->ClassName());
    if (!control->Showing()) throw EScriptFailure("expected " + name + " to be showing, found it hidden");
    if (!control->Enabled()) throw EScriptFailure("expected " + name + " to be enabled, found it disabled");
    if (!ClickControl(control)) throw EScriptFailure("expected " + name + " to be on a window, found no window");
}

void TScriptRunner::Type(const std::string& name, const std::string& text) {
    auto* control = dynamic_cast<TWinControl*>(Need(name));
    if (!control || !control->CanFocus()) throw EScriptFailure("expected " + name + " to take the focus, found it cannot");
    TCustomForm* form = GetParentForm(control);
    control->SetFocus();
    ProcessQtEvents();
    TComponentRef<TWinControl> alive(control);
    TypeText(text, form);
    // Leaving the control as the user does.
    if (alive && form && form->ActiveControl() == control) PressKeys("Tab", form);
}

void TScriptRunner::Cell(const std::vector<std::string>& words) {
    TComponent* grid = Need(words[1]);
    const int row = StrToInt(words[2]);  // checked before the run
    auto* source = IsPublishedProp(grid, "DataSource") ? dynamic_cast<TDataSource*>(GetObjectProp(grid, "DataSource")) : nullptr;
    TDataSet* dataset = source ? source->DataSet() : nullptr;
    if (!dataset || !dataset->Active()) throw EScriptFailure("expected " + words[1] + " to show an open dataset, found none");
    TField* field = dataset->FindField(words[3]);
    if (!field) throw EScriptFailure("expected a field " + words[3] + " in " + dataset->Name() + ", found none");
    if (row > dataset->RecordCount())
        throw EScriptFailure("expected a row " + words[2] + " in " + words[1] + ", found " +
                             std::to_string(dataset->RecordCount()) + " rows");
    std::string text = Joined(words, 4);
    auto* dbGrid = dynamic_cast<TDBGrid*>(grid);
    if (!dbGrid) {
        // Another data-aware list: the field takes the text as it would from its editor.
        dataset->SetRecNo(row);
        if (dataset->State() == dsBrowse) dataset->Edit();
        field->SetText(text);
        ProcessQtEvents();
        return;
    }
    if (!dbGrid->CanFocus()) throw EScriptFailure("expected " + words[1] + " to take the focus, found it cannot");
    // As the user: the row, the field's column, the text typed into the cell's editor, Enter.
    dbGrid->SetFocus();
    dataset->SetRecNo(row);
    dbGrid->SetSelectedField(field);
    if (dbGrid->SelectedField() != field)
        throw EScriptFailure("expected a column for " + words[3] + " in " + words[1] + ", found none");
    TCustomForm* form = GetParentForm(dbGrid);
    ProcessQtEvents();
    PressKeys("F2", form);
    if (!dbGrid->EditorMode())
        throw EScriptFailure("expected the cell " + words[3] + " of " + words[1] + " to be editable, found it read-only");
    dbGrid->SetEditorText("");
    TypeText(text, form);
    PressKeys("Enter", form);
}

void TScriptRunner::Expect(const std::string& name, const std::string& property, const std::string& value) {
    TComponent* component = Need(name);
    if (!IsPublishedProp(component, property))
        throw EScriptFailure("expected " + name + " to have a property " + property + ", found none");
    std::string found = PropertyText(component, property);
    if (!SameValue(found, value))
        throw EScriptFailure("expected " + name + "." + property + " = \"" + value + "\", found \"" + found + "\"");
}

void TScriptRunner::ExpectField(const std::string& datasetName, const std::string& fieldName, const std::string& value) {
    auto* dataset = dynamic_cast<TDataSet*>(Need(datasetName));
    if (!dataset) throw EScriptFailure("expected " + datasetName + " to be a dataset, found something else");
    if (!dataset->Active()) throw EScriptFailure("expected " + datasetName + " to be open, found it closed");
    TField* field = dataset->FindField(fieldName);
    if (!field) throw EScriptFailure("expected a field " + fieldName + " in " + datasetName + ", found none");
    std::string found = field->AsString();
    if (!SameValue(found, value))
        throw EScriptFailure("expected " + datasetName + "." + fieldName + " = \"" + value + "\", found \"" + found + "\"");
}

void TScriptRunner::ExpectMessage(const std::string& kind, const std::string& code) {
    const auto& lookups = center_.MessageLookups();
    const auto& shown = QtMessageService()->Shown();
    std::string wantedKind = SameName(kind, "T") ? "E" : kind;  // kind T shows the E text
    for (std::size_t i = lookupsChecked_; i < lookups.size(); ++i) {
        const TMessageLookup& lookup = lookups[i];
        if (!SameName(lookup.Kind, wantedKind) || lookup.Code != code) continue;
        for (std::size_t j = messagesChecked_; j < shown.size(); ++j) {
            if (!ShowsTemplate(shown[j].Text, lookup.Text)) continue;
            lookupsChecked_ = i + 1;
            messagesChecked_ = j + 1;
            return;
        }
    }
    std::string found;
    for (std::size_t j = messagesChecked_; j < shown.size(); ++j) found += (found.empty() ? "\"" : ", \"") + shown[j].Text + "\"";
    throw EScriptFailure("expected message " + kind + " " + code + ", found " +
                         (found.empty() ? std::string("no message") : found));
}

void TScriptRunner::Screenshot(const std::string& file) {
    TCustomForm* form = CurrentForm();
    if (!form) throw EScriptFailure("expected a window to take a picture of, found none");
    if (!GrabWindowToPng(form, file)) throw EScriptFailure("expected to write " + file + ", found it cannot be written");
    out_ << "screenshot: " << file << std::endl;
}

void TScriptRunner::CloseCurrent() {
    TCustomForm* form = CurrentForm();
    if (!form) throw EScriptFailure("expected a window to close, found none");
    if (form == mainWindow_) {
        if (center_.Programs().OpenPrograms().empty())
            throw EScriptFailure("expected a program window to close, found only the main window");
        center_.Programs().CloseAll();
        return;
    }
    if (!CloseWindow(form)) form->Close();
}

void TScriptRunner::AnswerMessage(TMessageForm& form, const TShownMessage& message) {
    std::string wanted;
    if (!answers_.empty()) {
        wanted = answers_.front();
        answers_.pop_front();
    }
    TButton* button = wanted.empty() ? DefaultButtonOf(form) : dynamic_cast<TButton*>(form.FindComponent(wanted));
    if (!button) {
        std::string names;
        for (TComponent* component : form.ComponentList())
            if (dynamic_cast<TButton*>(component)) names += (names.empty() ? "" : ", ") + component->Name();
        if (answerProblem_.empty())
            answerProblem_ = "expected a button " + wanted + " in the message box \"" + message.Text + "\", found " + names;
        button = DefaultButtonOf(form);
        if (!button) return;
    }
    out_ << "message: " << message.Text << " -> " << button->Name() << std::endl;
    if (!ClickControl(button)) button->Click();
}
