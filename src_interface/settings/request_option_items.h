// The request options' choices and captions, as the main window shows them and as the settings
// dialog keeps its hidden copies of them (the advanced options it records).
#pragma once
#include <string>
#include <vector>

namespace sg::settings {

inline const std::vector<std::string> kMapFormatItems = {"Default (native)", "Alpha Chunks (native)",
                                                         "Beta Regions (native)"};
inline const std::vector<std::string> kVerbosityItems = {"Silent (default)", "General progress reports",
                                                         "Region-level reports", "Chunk-level reports"};
inline const std::vector<std::string> kMirroringItems = {"None", "Horizontal (b -> d)", "Vertical (b -> p)"};
inline const std::vector<std::string> kBackgroundItems = {"Transparent", "White", "Red", "Green",
                                                          "Blue", "Yellow", "Black"};
inline const std::vector<std::string> kRotationItems = {"None", "90 degrees (T -> --| )",
                                                        "180 degrees (T -> _|_ )", "270 degrees (T -> |-- )"};

inline constexpr const char* kDisableLoggingCaption = "Disable logging";
inline constexpr const char* kDisablePostProcessorCaption = "Disable Post Processor";
inline constexpr const char* kSuppressStackingCaption = "Suppress stacking";
inline constexpr const char* kSuppressDeletionCaption = "Suppress deletion";
inline constexpr const char* kSuppressAutoMirroringCaption = "Suppress auto mirroring (obsolete)";
inline constexpr const char* kMirrorCaption = "Mirror left and right (obsolete)";

}  // namespace sg::settings
