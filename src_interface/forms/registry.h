// The registry of the system's windows: makes a window on first use, finds loaded windows by
// name without regard to case, unloads them, and ends the program. Realizations observe it.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/services.h"

namespace sg::forms {

// What a realization (real windows) listens to.
class Observer {
 public:
  virtual ~Observer() = default;
  virtual void formLoaded(Form&) {}
  virtual void formUnloading(Form&) {}
  virtual void formShown(Form&) {}
  virtual void formHidden(Form&) {}
  virtual void formChanged(Form&) {}  // caption or size
  virtual void controlChanged(Control&, Prop) {}
  virtual void programEnded() {}
};

class Registry {
 public:
  using Factory = std::function<std::unique_ptr<Form>(Registry&)>;

  explicit Registry(platform::Services& services);
  ~Registry();

  platform::Services& services() const { return services_; }

  void registerForm(const std::string& name, Factory f);
  bool knows(const std::string& name) const;
  std::vector<std::string> formNames() const;

  // The loaded window of that name, or null.
  Form* find(const std::string& name) const;
  bool isLoaded(const std::string& name) const { return find(name) != nullptr; }
  // The window of that name, loaded first when needed (its Form_Load runs then).
  Form& get(const std::string& name);
  template <class T>
  T& get(const std::string& name) { return dynamic_cast<T&>(get(name)); }
  template <class T>
  T* findAs(const std::string& name) const { return dynamic_cast<T*>(find(name)); }
  std::vector<Form*> loadedForms() const;

  void show(Form& f);
  void hide(Form& f);
  void unload(Form& f);
  // The user pressed the window's close box: the window may cancel, else it is unloaded.
  void close(Form& f);

  // Ends the program at once: every window goes, no further handler runs.
  void endProgram();
  bool ended() const { return ended_; }

  // Windows unloaded while one of their handlers may still be running are destroyed here,
  // at a point where no handler runs (after each user action).
  void collect();

  void addObserver(Observer* o);
  void removeObserver(Observer* o);
  template <class F>
  void notify(F&& f) { for (auto* o : observers_) f(*o); }

 private:
  platform::Services& services_;
  std::map<std::string, Factory> factories_;  // lower-case names
  std::vector<std::unique_ptr<Form>> loaded_;
  std::vector<std::unique_ptr<Form>> graveyard_;
  std::vector<Observer*> observers_;
  bool ended_ = false;
};

}  // namespace sg::forms
