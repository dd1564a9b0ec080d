// The main window's level option controls and the entry field each one holds: the one place
// where the controls are read into a RenderEntry and written from one.
#pragma once
#include <span>
#include <string_view>

#include "options/render_entry.h"
#include "options/render_options.h"

namespace sg::options {

struct EntryField {
  std::string_view control;
  enum Kind { Value, ListIndex, Text } kind;
  int RenderEntry::*number = nullptr;          // Value, ListIndex
  std::string RenderEntry::*text = nullptr;    // Text
};

// The level options in the order the reset puts them back to a default entry's values (each
// assignment runs that control's handler, so the order matters). The world list comes first;
// the custom path box, reset before it, is not in the table.
std::span<const EntryField> entryFields();

// The entry the controls hold now.
RenderEntry readEntry(const RenderOptions& o);

// How a load leaves the boxes that the options enable: the custom path box, the two boxes of
// the low memory mode and the four range boxes.
struct EntryEnabling {
  bool customPath = false, lowRam = false, range = false;
  bool operator==(const EntryEnabling&) const = default;
};
EntryEnabling readEnabling(const RenderOptions& o);

// Puts the entry into the controls: the world first, then its path and name, then the options
// in table order; each control's handler runs as for any change. The enabling comes last.
void showEntry(RenderOptions& o, const RenderEntry& e, const EntryEnabling& enabling);

}  // namespace sg::options
