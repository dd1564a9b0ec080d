#include "jobs/render_options.h"

#include <stdexcept>
#include <string_view>
#include <unordered_map>

#include "platform/text.h"

namespace sg::jobs {

namespace {

// The fields in the order of their members.
#define SG_RENDER_OPTION_FIELDS(X) \
  X(comboworldfolders) X(txtcustompath) X(txtmapname) X(combostyle) X(comboorientation) \
  X(layerfiltercombo) X(layerfiltertext) X(blockfiltercombo) X(blockfiltertext) X(combotime) \
  X(checkeachlayer) X(checkwater) X(checkcave) X(comboDimension) X(checknether) \
  X(checkwooloscopy) X(checkbrightness) X(checkflip) X(checkrotate) X(checkxray) X(checkcake) \
  X(checkupsidedown) X(combogranularity) X(checkcropwhitespace) X(zoomlevel) X(checkmapmirror) \
  X(checkmapautomirror) X(checklowramwrite) X(checklocfile) X(checklocoffset) X(combolocchunks) \
  X(checklocwhitespace) X(manrangeminx) X(manrangemaxx) X(manrangeminz) X(manrangemaxz) \
  X(combomapformat) X(comboverbosity) X(txtoutputfile) X(checkdisablelogging) \
  X(checkdisablepostprocessor) X(checksurpressstacking) X(checksurpressdeletion) \
  X(checksurpressautomirroring) X(combobackground) X(comborotation) X(combomirroring) \
  X(checkmirror) X(renderjob) X(totaljob) X(totaljobrenders) X(tempstackn) X(genfile) \
  X(defaultset) X(temppack) X(stacklist)

enum Field : size_t {
#define SG_ENUM(n) k_##n,
  SG_RENDER_OPTION_FIELDS(SG_ENUM)
#undef SG_ENUM
  kFields
};
static_assert(kFields == RenderOptions::kFieldCount);

struct NoCaseHash {
  size_t operator()(std::string_view s) const {
    size_t h = 14695981039346656037ull;
    for (char c : s) h = (h ^ static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c)) * 1099511628211ull;
    return h;
  }
};
struct NoCaseEqual {
  bool operator()(std::string_view a, std::string_view b) const { return text::equalsNoCase(a, b); }
};

// One pass over the window's controls instead of one search per field: the handlers of the
// main window make this view on every event, so its cost is paid many times per render.
RenderOptions::Controls lookUp(forms::Form& form) {
  static const std::unordered_map<std::string_view, size_t, NoCaseHash, NoCaseEqual> fields = {
#define SG_ENTRY(n) {#n, k_##n},
      SG_RENDER_OPTION_FIELDS(SG_ENTRY)
#undef SG_ENTRY
  };
  static const char* const names[] = {
#define SG_NAME(n) #n,
      SG_RENDER_OPTION_FIELDS(SG_NAME)
#undef SG_NAME
  };
  RenderOptions::Controls found{};
  for (const auto& c : form.controls()) {
    auto it = fields.find(c->name());
    if (it != fields.end() && !found[it->second]) found[it->second] = c.get();
  }
  for (size_t i = 0; i < kFields; ++i)
    if (!found[i]) throw std::out_of_range("no control " + std::string(names[i]) + " on " + form.name());
  return found;
}

}  // namespace

RenderOptions::RenderOptions(forms::Form& form1) : RenderOptions(form1, lookUp(form1)) {}

#define SG_INIT(n) , n(*c[k_##n])
RenderOptions::RenderOptions(forms::Form& form1, const Controls& c)
    : form(form1) SG_RENDER_OPTION_FIELDS(SG_INIT) {}
#undef SG_INIT

#undef SG_RENDER_OPTION_FIELDS

}  // namespace sg::jobs
