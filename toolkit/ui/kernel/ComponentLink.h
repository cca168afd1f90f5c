#pragma once
// A property that refers to a component another one owns (an image list, a menu): the holder asks
// to be told when that component is freed, so that its Notification can forget it.
#include "toolkit/classes/Component.h"

// Points field at value and moves the free notification with it. False when field held value already.
template <class T>
bool SetComponentLink(TComponent& holder, T*& field, T* value) {
    if (value == field) return false;
    if (field) field->RemoveFreeNotification(&holder);
    field = value;
    if (value) value->FreeNotification(&holder);
    return true;
}
