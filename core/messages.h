#pragma once
// Every text a report run shows or writes, defined once.

#include <string_view>

namespace ulmar::text {

inline constexpr std::string_view kReferenceInfoEmpty = "orig file - [INFO] is empty";
inline constexpr std::string_view kReferenceFormsEmpty = "orig file - [FORMS] is empty";
inline constexpr std::string_view kReferenceStringsEmpty = "orig file - [STRINGS] is empty";
inline constexpr std::string_view kTranslationFormsEmpty = "translated file - [FORMS] is empty";
inline constexpr std::string_view kTranslationStringsEmpty = "translated file - [STRINGS] is empty";
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

}  // namespace ulmar::text
