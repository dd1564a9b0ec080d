// The post processor's command line: the inputs, then the steps in the order given, then the
// output. input FILE | merge K FILE..., rotate 90|180|270, color NAME, mirror horizontally,
// mirror vertically, zoomablemap, delete, output FILE.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "imaging/rgba_image.h"

namespace sgpost {

struct Step {
  enum Kind { Rotate, Colour, MirrorHorizontally, MirrorVertically } kind;
  int degrees = 0;        // Rotate: 90, 180 or 270, clockwise
  sgimage::Rgba colour;   // Colour: the background
};

struct PostArguments {
  std::vector<std::string> inputs;  // first the top layer, last the bottom one
  std::vector<Step> steps;
  bool deleteInputs = false;
  bool zoomableMap = false;  // the output's zoomable map made beside it
  std::string output;
};

// nullopt with a one-line reason in error when the words do not make a valid command.
std::optional<PostArguments> parsePostArguments(const std::vector<std::string>& words,
                                                std::string& error);

// The background colours by their item texts, without regard to case.
std::optional<sgimage::Rgba> backgroundColour(const std::string& name);

}  // namespace sgpost
