#include "post_processor/post_arguments.h"
#include "batch/ascii_case.h"

#include <cctype>

namespace sgpost {

namespace {

using sgbatch::lowered;

bool wholeNumber(const std::string& s, long& value) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  value = std::stol(s);
  return true;
}

}  // namespace

std::optional<sgimage::Rgba> backgroundColour(const std::string& name) {
  std::string n = lowered(name);
  if (n == "white") return sgimage::Rgba{255, 255, 255, 255};
  if (n == "red") return sgimage::Rgba{255, 0, 0, 255};
  if (n == "green") return sgimage::Rgba{0, 255, 0, 255};
  if (n == "blue") return sgimage::Rgba{0, 0, 255, 255};
  if (n == "yellow") return sgimage::Rgba{255, 255, 0, 255};
  if (n == "black") return sgimage::Rgba{0, 0, 0, 255};
  return std::nullopt;
}

std::optional<PostArguments> parsePostArguments(const std::vector<std::string>& w,
                                                std::string& error) {
  PostArguments a;
  size_t i = 0;
  auto need = [&](const char* what) {
    if (i < w.size()) return true;
    error = std::string("missing ") + what;
    return false;
  };
  if (w.empty()) {
    error = "no arguments (expected input FILE or merge K FILE...)";
    return std::nullopt;
  }
  std::string first = lowered(w[0]);
  if (first == "input") {
    i = 1;
    if (!need("input file after 'input'")) return std::nullopt;
    a.inputs.push_back(w[i++]);
  } else if (first == "merge") {
    i = 1;
    long k = 0;
    if (!need("layer count after 'merge'")) return std::nullopt;
    if (!wholeNumber(w[i], k) || k < 1) {
      error = "bad layer count '" + w[i] + "' after 'merge'";
      return std::nullopt;
    }
    ++i;
    if (w.size() - i < static_cast<size_t>(k)) {
      error = "merge " + std::to_string(k) + " names only " + std::to_string(w.size() - i) +
              " files";
      return std::nullopt;
    }
    for (long j = 0; j < k; ++j) a.inputs.push_back(w[i++]);
  } else {
    error = "unknown first argument '" + w[0] + "' (expected input or merge)";
    return std::nullopt;
  }
  bool haveOutput = false;
  while (i < w.size()) {
    std::string word = lowered(w[i++]);
    if (word == "rotate") {
      if (!need("angle after 'rotate'")) return std::nullopt;
      std::string v = w[i++];
      if (v != "90" && v != "180" && v != "270") {
        error = "bad rotation '" + v + "' (expected 90, 180 or 270)";
        return std::nullopt;
      }
      a.steps.push_back({Step::Rotate, std::stoi(v), {}});
    } else if (word == "color") {
      if (!need("colour after 'color'")) return std::nullopt;
      auto c = backgroundColour(w[i]);
      if (!c) {
        error = "unknown colour '" + w[i] + "'";
        return std::nullopt;
      }
      ++i;
      a.steps.push_back({Step::Colour, 0, *c});
    } else if (word == "mirror") {
      if (!need("direction after 'mirror'")) return std::nullopt;
      std::string d = lowered(w[i++]);
      if (d == "horizontally")
        a.steps.push_back({Step::MirrorHorizontally, 0, {}});
      else if (d == "vertically")
        a.steps.push_back({Step::MirrorVertically, 0, {}});
      else {
        error = "bad mirror direction '" + w[i - 1] + "'";
        return std::nullopt;
      }
    } else if (word == "zoomablemap") {
      a.zoomableMap = true;
    } else if (word == "delete") {
      a.deleteInputs = true;
    } else if (word == "output") {
      if (!need("file after 'output'")) return std::nullopt;
      if (haveOutput) {
        error = "more than one output";
        return std::nullopt;
      }
      a.output = w[i++];
      haveOutput = true;
      if (a.output.empty()) {
        error = "empty output name";
        return std::nullopt;
      }
    } else {
      error = "unknown argument '" + w[i - 1] + "'";
      return std::nullopt;
    }
  }
  if (!haveOutput) {
    error = "no output file given";
    return std::nullopt;
  }
  return a;
}

}  // namespace sgpost
