#pragma once
// Tdef05 started as the work center starts it, in this process: a demo installation, the work center's
// manager, scripted message boxes and dialogs, and the real application and lookup servers; the form,
// its data module and the company database to look at.
#include <functional>
#include <string>
#include <vector>

#include "outside/pickvu/LookupService.h"
#include "programs/tdef05/Tdef05DataModule.h"
#include "programs/tdef05/Tdef05Form.h"
#include "tests/double/HostedProgram.h"

class Tdef05Fixture : public HostedProgramFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts Tdef05 for the user and shows it; prepare runs on the created form before its start.
    TfrmTdef05* Open(const std::string& user = "DS", const std::function<void(TfrmTdef05&)>& prepare = {});
    void CloseForm();

    TdmTdef05& Dm() const;
    TClientDataSet& Main() const { return *Dm().cdsMain; }
    TClientDataSet& Body() const { return *Dm().cdsBody1; }
    // One value of the company database (first column of the first row, "" when none).
    std::string Sql(const std::string& select) const;
    // Rows of a statement, each row's columns joined with "|".
    std::vector<std::string> Rows(const std::string& select) const;
    // Focuses the control, types its new text (replacing what it held) and leaves it with Tab.
    void Enter(TWinControl* control, const std::string& text);
    // Shows the document of that code (queried by its key).
    void ShowDocument(const std::string& code);
    // Adds a document ZTAB01 "测试表" of system ADM with lines ID (V 10), NAME (V 40), PRICE (N 16.4),
    // typed as a user would, and saves it.
    void AddTestDocument(const std::string& code = "ZTAB01");

    TfrmTdef05* form = nullptr;
    LookupCallbacks savedLookup;
};
