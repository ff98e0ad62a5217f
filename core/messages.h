#pragma once
// Every text the report, the window and the command line show, defined once.

#include <string_view>

namespace ulmar::text {

inline constexpr std::string_view kReferenceInfoEmpty = "orig file - [INFO] is empty";
inline constexpr std::string_view kReferenceFormsEmpty = "orig file - [FORMS] is empty";
inline constexpr std::string_view kReferenceStringsEmpty = "orig file - [STRINGS] is empty";
inline constexpr std::string_view kTranslationFormsEmpty = "translated file - [FORMS] is empty";
inline constexpr std::string_view kTranslationStringsEmpty = "translated file - [STRINGS] is empty";
inline constexpr std::string_view kReferenceUnreadable = "orig file - cannot be read";
inline constexpr std::string_view kTranslationUnreadable = "translated file - cannot be read";
inline constexpr std::string_view kDone = "done";
inline constexpr std::string_view kOutOfMemory = "not enough memory to compare these files";

inline constexpr std::string_view kFormsHeader = "[FORMS]";
inline constexpr std::string_view kStringsHeader = "[STRINGS]";

inline constexpr std::string_view kMissingTitle = "These ones don't exist in your translation:";
inline constexpr std::string_view kRemovedTitle = "These ones were removed from the original file:";
inline constexpr std::string_view kFileInformationTitle = "File information:";
inline constexpr std::string_view kFormsToAdd = "FORMS to add:";
inline constexpr std::string_view kStringsToAdd = "STRINGS to add:";
inline constexpr std::string_view kFormsToRemove = "FORMS to remove:";
inline constexpr std::string_view kStringsToRemove = "STRINGS to remove:";
inline constexpr std::string_view kNotYetSet = "???";

// The window's own texts.
inline constexpr std::string_view kReferenceFieldLabel = "The latest sample.lng:";
inline constexpr std::string_view kTranslationFieldLabel = "Your language.lng:";
inline constexpr std::string_view kOpenButton = "open";
inline constexpr std::string_view kCreateReportButton = "create report";
inline constexpr std::string_view kOffsetsCheckBox = "Calculate offsets";
inline constexpr std::string_view kOffsetNote =
    "* The offset shows the variable number counted from the beginning of the corresponding section (forms or "
    "strings)";
inline constexpr std::string_view kFileDialogTitle = "Select a language file";
inline constexpr std::string_view kWindowTitle = "ULMAR TRANSLATION TOOL V3";

}  // namespace ulmar::text
