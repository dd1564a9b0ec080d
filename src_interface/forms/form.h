// A window as plain data: name, caption, outer size in twips, visible and loaded flags, and its
// controls, found by name without regard to case and kept in creation order.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "forms/control.h"
#include "forms/control_table.h"

namespace sg::platform { struct Services; }

namespace sg::forms {

class Registry;

class Form {
 public:
  Form(Registry& registry, std::string name, std::string caption, int width, int height);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& c);
  int width() const { return width_; }
  int height() const { return height_; }
  void setWidth(int w);
  void setHeight(int h);
  bool visible() const { return visible_; }
  bool loaded() const { return loaded_; }

  // Control by name, without regard to case; throws std::out_of_range when there is none.
  Control& control(std::string_view name) const;
  Control* find(std::string_view name) const;
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  // Controls in tab order.
  std::vector<Control*> tabOrder() const;
  void renumberTab(Control& moved, int position);

  Control& add(const ControlDecl& d);
  void declare(const ControlTable& table);

  Registry& registry() const { return *registry_; }
  platform::Services& services() const;

  // Shows the window without blocking (loading it when needed), hides it, or unloads it.
  void show();
  void hide();
  void unload();

  // Lifecycle hooks of the window: load, the close box (return false to cancel the close) and
  // unload.
  virtual void Form_Load() {}
  virtual bool Form_QueryUnload() { return true; }
  virtual void Form_Unload() {}

  // For the registry.
  void setLoaded(bool l) { loaded_ = l; }
  void setVisibleRaw(bool v) { visible_ = v; }

 private:
  Registry* registry_;
  std::string name_;
  std::string caption_;
  int width_, height_;
  bool visible_ = false;
  bool loaded_ = false;
  std::vector<std::unique_ptr<Control>> controls_;
  std::unordered_map<std::string, Control*> byName_;  // lower-case names
};

}  // namespace sg::forms
