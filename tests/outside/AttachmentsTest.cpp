#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "outside/annexo/AttachmentForm.h"
#include "outside/annexo/AttachmentServer.h"
#include "outside/appserver/Attachments.h"
#include "tests/outside/CompanyFixture.h"
#include "tests/testkit/ScriptedApp.h"
#include "toolkit/os/Shell.h"
#include "toolkit/ui/dialogs/FileDialogs.h"

TEST(Base64, RoundTripsEveryByteAndSkipsWhatIsNoBase64) {
    Bytes all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<std::uint8_t>(i));
    for (std::size_t n : {0u, 1u, 2u, 3u, 4u, 256u}) {
        Bytes part(all.begin(), all.begin() + static_cast<long>(n));
        EXPECT_EQ(Base64Decode(Base64Encode(part)), part) << n;
    }
    EXPECT_EQ(Base64Encode({'M', 'a'}), "TWE=");
    EXPECT_EQ(Base64Decode("TW\nE="), (Bytes{'M', 'a'}));
}

class Attachments : public OnEveryBackend<CompanyFixture> {
protected:
    void SetUp() override {
        OnEveryBackend<CompanyFixture>::SetUp();
        if (IsSkipped()) return;
        RegisterOleClass("AnnexoC.Class1", [](const std::string&) { return CreateAttachmentServer(); });
        savedDialogs_ = SetFileDialogService(dialogs_);
        savedShell_ = SetShellService([this](const std::string& operation, const std::string& file) {
            opened_.push_back(operation + " " + file);
            return true;
        });
        const std::string registry = (folder_ / "registry.ini").string();
        std::ofstream(registry) << "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\nClientPath=" << (folder_ / "client").string()
                                << "\\\n";
        setenv("VANDRIL_REGISTRY", registry.c_str(), 1);
    }
    void TearDown() override {
        if (savedDialogs_) SetFileDialogService(savedDialogs_);
        if (savedShell_) SetShellService(savedShell_);
        UnregisterOleClass("AnnexoC.Class1");
        unsetenv("VANDRIL_REGISTRY");
        OnEveryBackend<CompanyFixture>::TearDown();
    }
    std::string File(const std::string& name, const std::string& content) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    Variant Window(const std::string& key, const std::string& mode) {
        Variant annexo = CreateOleObject("AnnexoC.Class1");
        OleCall(annexo, "Init", {VarArrayOf({"DEMO", "DS", "Tdef05", key, "MC001", mode})});
        OlePut(annexo, "ParentHandle", 0);
        return annexo;
    }

    TScriptedApp app_;
    std::shared_ptr<TScriptedFileDialogService> dialogs_ = std::make_shared<TScriptedFileDialogService>();
    std::shared_ptr<IFileDialogService> savedDialogs_;
    ShellService savedShell_;
    std::vector<std::string> opened_;
};
TDEF_ON_EVERY_BACKEND(Attachments);

TEST_P(Attachments, AreAddedOpenedAndDeletedPerDocumentThroughTheWindow) {
    const std::string binary("PK\0\x01\xff text", 10);
    dialogs_->QueueFile(File("合同.pdf", binary));
    dialogs_->QueueFile(File("notes.txt", "first"));
    app_.ModalLoop().WhenNext("TfrmAttachments", [](TCustomForm& form) {
        auto& window = dynamic_cast<TfrmAttachments&>(form);
        window.btnAdd->Click();
        window.btnAdd->Click();
        window.sgFiles->SetRow(1);
        window.btnOpen->Click();
        form.SetModalResult(mrOk);
    });
    Variant annexo = Window("ADMMA", "1");
    EXPECT_EQ(OleCall(annexo, "ShowModal").AsInteger(), 1);

    // Both files are the document's, in the company database; the opened one is in the client folder.
    CompanyDatabase db(dbPath_);
    SqlResult rows = db.Query(
        "SELECT FileName, FileSize, KeyFields, CREATOR FROM ATTACH WHERE CompanyID = 'DEMO' AND "
        "Parent = 'TDEF05' AND KeyValues = 'ADMMA' ORDER BY FileName");
    ASSERT_EQ(rows.rows.size(), 2u);
    EXPECT_EQ(rows.rows[0][0].AsString(), "notes.txt");
    EXPECT_EQ(rows.rows[1][0].AsString(), "合同.pdf");
    EXPECT_EQ(rows.rows[1][1].AsInteger(), 10);
    EXPECT_EQ(rows.rows[1][2].AsString(), "MC001");
    EXPECT_EQ(rows.rows[1][3].AsString(), "DS");
    const std::string opened = (folder_ / "client" / "Attach" / "DEMO" / "TDEF05" / "ADMMA" / "notes.txt").string();
    EXPECT_EQ(opened_, (std::vector<std::string>{"open " + opened}));
    std::ifstream in(opened, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "first");
    // The framework's attachment keys come from the same table.
    EXPECT_EQ(db.Query("SELECT DISTINCT KeyValues FROM ATTACH WHERE Parent = 'TDEF05' AND CompanyID = 'DEMO'").rows.size(), 1u);

    // Another document has none; a read-only window offers no adding or deleting.
    app_.ModalLoop().WhenNext("TfrmAttachments", [](TCustomForm& form) {
        auto& window = dynamic_cast<TfrmAttachments&>(form);
        EXPECT_FALSE(window.btnAdd->Enabled());
        EXPECT_FALSE(window.btnOpen->Enabled()) << "nothing to open";
        EXPECT_FALSE(window.btnDelete->Enabled());
    });
    OleCall(Window("ADMMB", "0"), "ShowModal");

    // Adding a file of the same name replaces it; deleting asks first and Cancel keeps the file.
    dialogs_->QueueFile(File("notes.txt", "second version"));
    app_.ModalLoop().WhenNext("TfrmAttachments", [this](TCustomForm& form) {
        auto& window = dynamic_cast<TfrmAttachments&>(form);
        window.btnAdd->Click();
        EXPECT_EQ(window.sgFiles->RowCount(), 3);
        window.sgFiles->SetRow(1);
        app_.Messages().QueueAnswer(mrCancel);
        window.btnDelete->Click();
        EXPECT_EQ(window.sgFiles->RowCount(), 3);
        window.sgFiles->SetRow(2);
        app_.Messages().QueueAnswer(mrOk);
        window.btnDelete->Click();
        EXPECT_EQ(window.sgFiles->RowCount(), 2);
        EXPECT_EQ(window.SelectedFile(), "notes.txt");
    });
    OleCall(Window("ADMMA", "1"), "ShowModal");
    Variant files = OleGet(Window("ADMMA", "1"), "Files");
    ASSERT_EQ(files.Count(), 1);
    EXPECT_EQ(VarToStr(files[0]), "notes.txt");
    EXPECT_EQ(db.Query("SELECT FileSize FROM ATTACH WHERE FileName = 'notes.txt'").rows[0][0].AsInteger(), 14);
}

TEST_P(Attachments, TheServerRefusesNamesThatAreNoFileNamesAndAnswersMissingFiles) {
    Variant server = ConnectedServer();
    auto params = [](std::vector<Variant> extra) {
        std::vector<Variant> p{"DEMO", "DEMO", "TDEF05", "ADMMA"};
        p.insert(p.end(), extra.begin(), extra.end());
        return VarArrayOf(p);
    };
    EXPECT_NE(OleCall(server, "AttachmentSave", {params({"MC001", "../../etc/passwd", Variant(Bytes{1}), "", "DS"})}).AsString(),
              "");
    EXPECT_EQ(OleCall(server, "AttachmentSave", {params({"MC001", "a'b.txt", Variant(Bytes{1, 2}), "引号", "DS"})}).AsString(),
              "");
    EXPECT_EQ(OleCall(server, "AttachmentLoad", {params({"a'b.txt"})}).AsBytes(), (Bytes{1, 2}));
    EXPECT_TRUE(OleCall(server, "AttachmentLoad", {params({"missing.txt"})}).IsEmpty());
    EXPECT_EQ(OleCall(server, "AttachmentDelete", {params({"a'b.txt"})}).AsInteger(), 1);
    EXPECT_TRUE(OleCall(server, "AttachmentList", {params({})}).IsEmpty());
}
