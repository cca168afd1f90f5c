#pragma once
// The document test program TDBL01 started as the work center starts it, in this process, over a
// company that holds the program's tables.
#include <string>

#include "tests/double/HostedProgram.h"
#include "tests/double/program/Tdbl01DataModule.h"
#include "tests/double/program/Tdbl01Form.h"

class Tdbl01Fixture : public HostedProgramFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    TfrmTdbl01* Open(const std::string& user = "DS");

    TdmTdbl01& Dm() const;
    TClientDataSet& Main() const { return *Dm().cdsMain; }
    TClientDataSet& Body() const { return *Dm().cdsBody1; }
    TClientDataSet& Lots() const { return *Dm().cdsSubBody1; }
    std::string Sql(const std::string& select) const { return install.SqlValue(select); }
    // Shows the order of that category and number (queried by its key).
    void ShowOrder(const std::string& category, const std::string& number = "202401020001");

    TfrmTdbl01* form = nullptr;
};
