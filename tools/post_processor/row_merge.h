// The post processor's work done row by row: the layers are read a row at a time and merged,
// top layer over the bottom one, each at the canvas's top-left corner; the steps' turns and
// mirrors are one mapping to the output, and the background fills what stays clear. Only a
// few rows of each layer are held; a turned or upside-down output goes through a temporary
// file of the merged rows beside the output, removed at the end.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "post_processor/post_arguments.h"

namespace sgpost {

// Writes the output; false with a one-line reason (and no output, no temporary file) otherwise.
// Each output row also goes to `alsoTo`, when given, as it goes to the image.
using RowSink = std::function<bool(const uint8_t* rgba, std::string& error)>;
bool mergeRowByRow(const PostArguments& args, std::string& error, const RowSink& alsoTo = {});

}  // namespace sgpost
