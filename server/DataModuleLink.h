#pragma once
// What a program form asks of its data module at start-up and close. The radical data module
// implements it; until it does, a program's data module implements it itself.
#include <string>

#include "toolkit/rtl/Variant.h"

class TBrokers;

class IDataModuleLink {
public:
    virtual ~IDataModuleLink() = default;

    // The form's broker: start parameters, program information, services.
    virtual void SetBrokers(TBrokers* brokers) = 0;
    // Opens the connection to the application server and loads the broker's ProgramInfo; true when
    // the server accepted the connection.
    virtual bool OpenDataConnection() = 0;
    virtual void SetDateSettings(int dateOrder, const std::string& dateSeparator) = 0;
    // The application server's WhatIs; Unassigned when not connected.
    virtual Variant WhatIs(const std::string& name) = 0;
    // Field labels and texts in the user's script.
    virtual void LocalizeFields() = 0;
    // Disconnects the data and lookup connections that are connected.
    virtual void CloseConnections() = 0;
};
