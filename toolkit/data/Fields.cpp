#include "toolkit/data/Fields.h"

std::unique_ptr<TField> CreateFieldOfType(TFieldType type) {
    switch (type) {
        case ftString: return std::make_unique<TStringField>();
        case ftSmallint: return std::make_unique<TSmallintField>();
        case ftInteger: return std::make_unique<TIntegerField>();
        case ftWord: return std::make_unique<TWordField>();
        case ftLargeint: return std::make_unique<TLargeintField>();
        case ftBoolean: return std::make_unique<TBooleanField>();
        case ftFloat: return std::make_unique<TFloatField>();
        case ftCurrency: return std::make_unique<TCurrencyField>();
        case ftBCD: return std::make_unique<TBCDField>();
        case ftDate: return std::make_unique<TDateField>();
        case ftDateTime: return std::make_unique<TDateTimeField>();
        case ftMemo: return std::make_unique<TMemoField>();
        case ftBlob: return std::make_unique<TBlobField>();
        case ftDataSet: return std::make_unique<TDataSetField>();
        case ftUnknown: break;
    }
    throw EDatabaseError("Unknown field type");
}
