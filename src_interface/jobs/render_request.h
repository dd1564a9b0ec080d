// The Render button: the whole stack list becomes one numbered job, renderJob<N>.bat, which is
// written, handed to the progress monitor and started.
#pragma once
#include "forms/form.h"
#include "options/render_options.h"

namespace sg::jobs {

// Selects stack row i so that its options load into the controls, also when it is selected
// already.
void selectRow(options::RenderOptions& o, int i);

// Command5_Click of the main window.
void renderRequest(forms::Form& form1);

}  // namespace sg::jobs
