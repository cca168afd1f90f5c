#pragma once
// The first step of every property setter that tells someone about a change.
#include <utility>

// Stores value into field when the two differ; true when it did, so the caller notifies only then.
template <class T, class U>
bool ChangeValue(T& field, U&& value) {
    if (field == value) return false;
    field = std::forward<U>(value);
    return true;
}
