#include "renderer/render_summary.h"

namespace sgrender {

void RenderSummary::skip(const std::string& what, std::ostream& errors, int verbosity) {
  if (skipped++ == 0) firstSkip = what;
  if (verbosity >= 3) errors << "renderer: skipped " << what << "\n";
}

void RenderSummary::print(std::ostream& errors, bool lightMatters) const {
  if (lightMatters && withoutLight)
    errors << "renderer: " << withoutLight << (withoutLight == 1 ? " chunk stores" : " chunks store")
           << " no block light; drawn as if unlit\n";
  if (skipped)
    errors << "renderer: " << skipped << (skipped == 1 ? " damaged chunk was" : " damaged chunks were")
           << " skipped; the first: " << firstSkip << "\n";
  if (unfinished)
    errors << "renderer: " << unfinished << (unfinished == 1 ? " chunk" : " chunks")
           << " that the game had not finished generating left out\n";
  if (unknownNames)
    errors << "renderer: " << unknownNames << " palette entries name blocks this renderer does not know; "
           << "they are drawn in a fallback colour\n";
}

}  // namespace sgrender
