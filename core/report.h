#pragma once
// The comparison report: which keys the translation lacks ("to add") and
// which keys of the translation the reference no longer has ("to remove"),
// section by section, with four counts and the translation's file
// information.

#include "report_view.h"

namespace ulmar {

// Runs one report: reads both paths and the offsets choice from `view`,
// reads both files once, and writes every result and message to `view`.
// A missing or unreadable file reads as one without sections, which the
// report tells as its empty sections; files too large for the memory at
// hand end the run with a message of their own. Never throws.
void createReport(ReportView& view);

// The missing or removed line for the key at 1-based `position`: with
// offsets, "[" + position right-aligned in three columns + "] " + key.
std::string reportLine(std::string_view key, int64_t position, bool withOffset);

}  // namespace ulmar
