#include "jobs/stack_editing.h"

namespace sg::jobs {

namespace {

// Swaps rows a and b under the lock, then selects b, which loads the moved row.
void swapAndSelect(options::RenderOptions& o, int a, int b) {
  auto& list = o.stacklist;
  std::string first = list.list(a), second = list.list(b);
  o.lock();
  list.setList(a, second);
  list.setList(b, first);
  o.unlock();
  list.setListIndex(b);
}

}  // namespace

void moveUp(options::RenderOptions& o) {
  int i = o.stacklist.listIndex();
  if (i > 0 && o.stacklist.listCount() > 1) swapAndSelect(o, i, i - 1);
}

void moveDown(options::RenderOptions& o) {
  int i = o.stacklist.listIndex();
  if (i >= 0 && o.stacklist.listCount() > 1 && i < o.stacklist.listCount() - 1) swapAndSelect(o, i, i + 1);
}

void insertNew(options::RenderOptions& o) { o.stacklist.addItem(o.defaultset.text()); }

void deleteRow(options::RenderOptions& o) {
  auto& list = o.stacklist;
  int i = list.listIndex();
  if (i < 0 || list.listCount() <= 1) return;
  o.lock();
  list.removeItem(i);
  o.unlock();
  list.setListIndex(i < list.listCount() ? i : list.listCount() - 1);
}

void duplicateRow(options::RenderOptions& o) {
  int i = o.stacklist.listIndex();
  if (i >= 0) o.stacklist.addItem(o.stacklist.list(i));
}

}  // namespace sg::jobs
