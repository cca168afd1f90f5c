#include "bench/company/ClientDocument.h"

#include "bench/company/RawDocument.h"
#include "toolkit/data/ClientDataSet.h"

void FillClientDocument(TClientDataSet& main, TClientDataSet& body, const std::string& key, int lines) {
    main.Append();
    main.FieldByName("MC001")->SetAsString(key);
    main.FieldByName("MC002")->SetAsString("基准文档");
    main.FieldByName("MC003")->SetAsString("1");
    main.FieldByName("MC004")->SetAsString("ADM");
    main.FieldByName("COMPANY")->SetAsString("DEMO");
    main.FieldByName("CREATOR")->SetAsString("DS");
    main.FieldByName("USR_GROUP")->SetAsString("ADMIN");
    main.FieldByName("CREATE_DATE")->SetAsString("20240102083000000");
    main.FieldByName("FLAG")->SetAsInteger(1);
    for (int l = 1; l <= lines; ++l) {
        body.Append();
        body.FieldByName("MD001")->SetAsString(key);
        body.FieldByName("MD002")->SetAsString(RawLineNumber(l));
        body.FieldByName("MD003")->SetAsString("F" + RawLineNumber(l));
        body.FieldByName("MD004")->SetAsString("字段说明");
        body.FieldByName("MD005")->SetAsString("V");
        body.FieldByName("MD006")->SetAsFloat(10);
        body.FieldByName("COMPANY")->SetAsString("DEMO");
        body.FieldByName("CREATOR")->SetAsString("DS");
        body.FieldByName("USR_GROUP")->SetAsString("ADMIN");
        body.FieldByName("CREATE_DATE")->SetAsString("20240102083000000");
        body.FieldByName("FLAG")->SetAsInteger(1);
        body.Post();
    }
    main.Post();
}
