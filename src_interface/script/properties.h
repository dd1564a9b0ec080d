// Reading and assigning the properties of controls and forms by name, as text: whole numbers
// in decimal, true and false as 1 and 0, texts byte for byte.
#pragma once
#include <string>

#include "forms/control.h"
#include "forms/form.h"
#include "script/reference.h"

namespace sg::script {

// Whether a control of this kind has the property at all.
bool hasProperty(forms::Kind kind, Property p);

// Throws ScriptError when the control has no such property or the index is out of range.
std::string readProperty(const forms::Control& c, const PropertyRef& p);
// Caption, Visible, Width, Height (Loaded is answered by the registry, loaded or not).
std::string readFormProperty(const forms::Form& f, Property p);

// A program's assignment of Text, Caption, Value, ListIndex, Enabled, Visible or Tag; fires
// what such an assignment fires. Throws ScriptError for other properties or bad values.
void assignProperty(forms::Control& c, Property p, const std::string& value);

}  // namespace sg::script
