#pragma once
// One attribute of a language file applied to a component: the attribute's name is a property path,
// its value the new text.
//
// Segments are separated by "."; each is a published property name, optionally followed by "_" and a
// decimal index ("Items_3"; text after the first "_" that is not a number counts as no index).
//  - an inner segment without index walks into an object-valued property ("Font.Color");
//  - an inner segment with index selects the item of that index of the collection, list-view items or
//    tree nodes the property holds ("Columns_0.Caption", "Items_2.Caption", "Panels_1.Text"); Items and
//    Columns that hold no list are walked into with the index dropped, any other name stops the walk;
//  - the last segment names the property to set; on the component itself an index selects a line of
//    the named string list ("Items_5", "Lines_0"), appending empty lines up to it.
// Colours and cursors take their names (clRed), enumeration and set values are trimmed. A path that
// does not resolve, an index out of range, a value that does not fit or a property that cannot be set
// (events among them) leaves everything as it was.
#include <string>

class TComponent;

// Applies the attribute; false when it was skipped.
bool ApplyLangAttribute(TComponent& component, const std::string& path, const std::string& value);
