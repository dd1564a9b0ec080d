// EntryEdit: the main window's option handlers, played on a RenderEntry instead of the
// controls. Each assignment that changes a value runs what the control's handler runs (a
// derived map name, a normalised zoom, the dimension of the nether box, which boxes are
// enabled) and rewrites the selected row as the window does, so that a row is read into the
// entry, and its text normalised, exactly as selecting it in the window would.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "options/entry_fields.h"

namespace sg::options {

// The world list and the map names its choices derive.
struct WorldChoices {
  std::vector<std::string> items;  // the world list; its last item stands for a custom path
  int granularities = 0;           // the items of the granularity list
  std::function<std::string(const std::string& folder)> folderName;
  std::function<std::string(const std::string& path)> pathName;
};

// The window's world list and its name rules.
WorldChoices worldChoices(RenderOptions& o);

class EntryEdit {
 public:
  EntryEdit(RenderEntry start, EntryEnabling enabling, bool locked, const WorldChoices& worlds)
      : entry(std::move(start)), enabling(enabling), locked(locked), worlds_(worlds) {}

  void setNumber(int RenderEntry::*field, int value);
  void setText(std::string RenderEntry::*field, std::string value);
  void setWorld(int index);

  // Every level option back to its default, as the window's reset does.
  void reset();
  // The reset, then the tokens of a line applied in their order.
  void load(const std::vector<std::string>& tokens);
  // A row selected: its text becomes the row, and unless the stack is locked it is loaded.
  void select(const std::string& rowText);

  RenderEntry entry;
  EntryEnabling enabling;
  bool locked;
  std::string row;   // the selected row's text, as the rewrites leave it
  bool rewritten = false;

 private:
  void changed(int RenderEntry::*field);
  void changed(std::string RenderEntry::*field);
  void worldClick();
  void write();

  const WorldChoices& worlds_;
};

}  // namespace sg::options
