// References of a script: FORM.CONTROL, FORM.PROPERTY and FORM.CONTROL.PROPERTY, where a
// property may carry an item index, as in List(3) or Selected(0).
#pragma once
#include <optional>
#include <string>

namespace sg::script {

enum class Property {
  Text, Caption, Value, ListIndex, ListCount, List, Selected, Enabled, Visible, Tag, TabIndex,
  Charset, Left, Top, Width, Height, Interval, Loaded, Picture
};

struct PropertyRef {
  Property property;
  std::optional<int> index;  // List(i), Selected(i)
};

struct Reference {
  std::string form;
  std::string control;                 // empty for a form's own property
  std::optional<PropertyRef> property;  // absent for FORM.CONTROL
  std::string written;                 // the reference as the script wrote it
};

// FORM.CONTROL exactly.
Reference controlReference(const std::string& word);
// FORM.CONTROL.PROPERTY exactly.
Reference propertyReference(const std::string& word);
// FORM.PROPERTY or FORM.CONTROL.PROPERTY.
Reference printReference(const std::string& word);

const char* propertyName(Property p);

}  // namespace sg::script
