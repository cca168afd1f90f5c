#pragma once
// Texts of classes that the property groups of the window conversion do not reach (list-view items,
// menu trees, tree nodes, grid cells ...): a rule converts them for one component and tells whether
// the component was its kind. Controls outside the toolkit register their own rules.
#include <functional>
#include <string>

class TComponent;

using TTextConversion = std::function<std::string(const std::string&)>;
using TWindowTextRule = std::function<bool(TComponent& component, const TTextConversion& convert)>;

void RegisterWindowTextRule(TWindowTextRule rule);
