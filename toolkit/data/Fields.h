#pragma once
// Every kind of field, and the factory that makes the kind for a field type.
#include <memory>

#include "toolkit/data/BlobFields.h"
#include "toolkit/data/BooleanField.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/data/DateTimeFields.h"
#include "toolkit/data/Field.h"
#include "toolkit/data/NumericFields.h"
#include "toolkit/data/StringField.h"

// The field kind for a type (ftUnknown raises EDatabaseError).
std::unique_ptr<TField> CreateFieldOfType(TFieldType type);
