// The history of custom world paths: a custom path that a request renders is remembered in the
// main window's custom path list and in the settings dialog's list that is saved with the
// interface settings.
#pragma once
#include "forms/registry.h"
#include "options/render_entry.h"
#include "options/render_options.h"

namespace sg::jobs {

// Record custom path, for an entry of a request being built: into the main window's list of
// paths and the settings dialog's.
void recordCustomPath(const options::RenderEntry& e, options::RenderOptions& o, forms::Registry& registry);

}  // namespace sg::jobs
