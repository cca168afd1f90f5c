#pragma once
// Every control and component class of the toolkit, for building them from stored class names
// (RegisterControlClasses puts them in the class registry; calling it again does nothing more).
#include <vector>

#include "toolkit/classes/ClassInfo.h"

const std::vector<const TClassInfo*>& ControlClasses();
void RegisterControlClasses();
