#pragma once
// The provider protocol between a client dataset and its application server. Everything is a
// Variant, so calls run unchanged in process and through the socket connection.
//
// Members a client dataset calls on its AppServer dispatch object (by-reference arguments are
// Variant::Ref; the server writes them with Variant::Assign):
//   AS_GetRecords(ProviderName, Count, out RecsOut, Options, CommandText, var Params, var OwnerData)
//       -> data packet. Count: -1 every row, 0 metadata only, n > 0 at most n rows. Options: the
//       gr* flags below. RecsOut: rows in the packet. Params: array of [name, value] pairs (the
//       server may write output values back). OwnerData: the provider's cursor token; the client
//       hands back what it received, so the next call continues where the last packet ended.
//   AS_ApplyUpdates(ProviderName, Delta, MaxErrors, out ErrorCount, var OwnerData) -> error packet.
//       The server applies the delta in one transaction. When more than MaxErrors rows are refused
//       (MaxErrors -1: any number allowed) it rolls back and says so in the error packet.
//   AS_DataRequest(ProviderName, Data) -> Variant: a free-form request for the provider.
//   AS_GetProviderNames() -> array of provider names.
//   AS_RowRequest(ProviderName, Row, RequestType, var OwnerData) -> packet of one row (Row: the
//       row's key values as [name, value] pairs); optional for servers.
//
// Data packet (array 0..3):
//   [0] kPacketTag  [1] metadata  [2] rows  [3] more rows follow (Boolean)
//   metadata: array of fields, each [name, type name (FieldTypeName), size, required, precision,
//             scale, read-only, child metadata (nested dataset fields) or Empty]
//   rows: array of rows; a row has one element per field, or fewer when the rest are null; a nested
//         dataset field's element is the array of its detail rows (in the child metadata's layout),
//         nested again as deep as needed.
//
// Delta (array 0..2):
//   [0] kDeltaTag  [1] metadata (as above)  [2] changes
//   change (array 0..4): [0] row id (stable client id, unique within a top-level dataset and all its
//   nested datasets), [1] update kind (ukModify 0, ukInsert 1, ukDelete 2), [2] original values
//   (array, one per field, or fewer when the rest are null; Empty for inserts), [3] new values (array;
//   an Empty element means unchanged, a missing one unchanged or for inserts null), [4] nested
//   changes: array with one element per nested dataset field (in metadata order), each an array of
//   changes, or Empty.
//   A master row whose details alone changed is a ukModify change without changed values. The
//   details of a deleted master come as deletes of their own. Nested changes of a refused master
//   row are not applied and stay pending on the client.
//
// Error packet (array 0..2):
//   [0] kErrorTag  [1] committed (Boolean: false when the server rolled everything back)
//   [2] errors: each [0] row id, [1] message, [2] error code (TRefusalCode), [3] context
//   ("TABLE: KEY=value, ..."), [4] the row's current values on the server (array) or Empty.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/data/DataTypes.h"
#include "toolkit/data/FieldDefs.h"
#include "toolkit/rtl/Variant.h"

inline constexpr const char* kPacketTag = "TKPACKET/1";
inline constexpr const char* kDeltaTag = "TKDELTA/1";
inline constexpr const char* kErrorTag = "TKERRORS/1";

// Why a server refused a row (error code of the error packet).
enum TRefusalCode : int {
    rcChanged = 1,   // changed by someone else since it was read
    rcDeleted = 2,   // deleted by someone else (or never stored)
    rcDatabase = 3,  // the database refused it (the message says why)
    rcReadOnly = 4,  // the provider takes no changes
    rcExists = 5,    // a new row whose key is taken
};

// AS_GetRecords options.
enum TGetRecordOption : int {
    grMetaData = 1,  // include metadata
    grReset = 2,     // start from the first row (a new cursor)
};

// Metadata <-> field definitions.
Variant MetadataFromDefs(const std::vector<TFieldDef>& fields);
std::vector<TFieldDef> DefsFromMetadata(const Variant& metadata);
// Positions of the nested dataset fields in a field list.
std::vector<int> NestedFieldPositions(const std::vector<TFieldDef>& fields);
