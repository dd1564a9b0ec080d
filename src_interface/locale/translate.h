// The one call that a window makes at the start of its load to translate itself: the
// translation window is loaded on the first request, then translates the named window.
#pragma once
#include <string>

#include "forms/registry.h"

namespace sg::locale {

class Form7;

// Loads Form7 when it is not loaded yet; null when the registry has no Form7.
Form7* localeWindow(forms::Registry& registry);

// Translates the loaded window of that name ("Form1" to "Form5").
void translateForm(forms::Registry& registry, const std::string& formName);

}  // namespace sg::locale
