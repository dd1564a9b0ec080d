#include "script/reference.h"

#include <vector>

#include "platform/text.h"
#include "script/script_error.h"
#include "script/script_line.h"

namespace sg::script {

namespace {

struct Named {
  Property property;
  const char* name;
  bool indexed;
};

constexpr Named kProperties[] = {
    {Property::Text, "Text", false},         {Property::Caption, "Caption", false},
    {Property::Value, "Value", false},       {Property::ListIndex, "ListIndex", false},
    {Property::ListCount, "ListCount", false}, {Property::List, "List", true},
    {Property::Selected, "Selected", true},  {Property::Enabled, "Enabled", false},
    {Property::Visible, "Visible", false},   {Property::Tag, "Tag", false},
    {Property::TabIndex, "TabIndex", false}, {Property::Charset, "Charset", false},
    {Property::Left, "Left", false},         {Property::Top, "Top", false},
    {Property::Width, "Width", false},       {Property::Height, "Height", false},
    {Property::Interval, "Interval", false}, {Property::Loaded, "Loaded", false},
    {Property::Picture, "Picture", false},
};

// Splits at dots; a dot inside parentheses does not split (there is none in a valid index, but
// the message is clearer when the whole property is kept together).
std::vector<std::string> parts(const std::string& word) {
  std::vector<std::string> out(1);
  int depth = 0;
  for (char c : word) {
    if (c == '(') ++depth;
    if (c == ')') --depth;
    if (c == '.' && depth == 0) out.emplace_back();
    else out.back() += c;
  }
  for (const auto& p : out)
    if (p.empty()) throw ScriptError("malformed reference '" + word + "'");
  return out;
}

// "Text", "List(2)", "Selected(0)"; a bare "List" is allowed where the caller allows it.
PropertyRef property(const std::string& word, const std::string& whole) {
  std::string name = word;
  std::optional<int> index;
  size_t open = word.find('(');
  if (open != std::string::npos) {
    if (word.back() != ')')
      throw ScriptError("malformed reference '" + whole + "'");
    name = word.substr(0, open);
    index = wholeNumber(word.substr(open + 1, word.size() - open - 2), "index");
  }
  for (const auto& p : kProperties) {
    if (!text::equalsNoCase(p.name, name)) continue;
    if (index && !p.indexed)
      throw ScriptError("property " + std::string(p.name) + " takes no index in '" + whole + "'");
    if (!index && p.indexed && p.property != Property::List)
      throw ScriptError("property " + std::string(p.name) + " needs an index, as in " + p.name +
                        "(0), in '" + whole + "'");
    return {p.property, index};
  }
  throw ScriptError("no property " + name + " in '" + whole + "'");
}

}  // namespace

Reference controlReference(const std::string& word) {
  auto p = parts(word);
  if (p.size() != 2) throw ScriptError("malformed reference '" + word + "': expected FORM.CONTROL");
  return {p[0], p[1], std::nullopt, word};
}

Reference propertyReference(const std::string& word) {
  auto p = parts(word);
  if (p.size() != 3)
    throw ScriptError("malformed reference '" + word + "': expected FORM.CONTROL.PROPERTY");
  return {p[0], p[1], property(p[2], word), word};
}

Reference printReference(const std::string& word) {
  auto p = parts(word);
  if (p.size() == 2) return {p[0], "", property(p[1], word), word};
  if (p.size() == 3) return {p[0], p[1], property(p[2], word), word};
  throw ScriptError("malformed reference '" + word +
                    "': expected FORM.PROPERTY or FORM.CONTROL.PROPERTY");
}

const char* propertyName(Property p) {
  for (const auto& n : kProperties)
    if (n.property == p) return n.name;
  return "?";
}

}  // namespace sg::script
