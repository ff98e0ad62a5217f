#include "near_names.h"

#include <algorithm>
#include <functional>

#include "text_patterns.h"

namespace ulmar {

namespace {

// Where the three segments of a name of `length` start, and how long they are.
struct Segments {
  size_t start[3];
  size_t size[3];
};

Segments segmentsOf(size_t length) {
  const size_t third = length / 3;
  return {{0, third, 2 * third}, {third, third, length - 2 * third}};
}

// A core is worth matching on only when it carries most of the name.
bool worthMatching(size_t coreLength, size_t nameLength) {
  return coreLength >= NearNames::kMostAffix && 2 * coreLength >= nameLength;
}

// Whether `a` and `b` are the same but for a suffix (or prefix) of at most
// four characters each, and share most of themselves.
bool sharesAllButAffixes(std::string_view a, std::string_view b, bool suffixes) {
  const size_t most = std::min(a.size(), b.size());
  size_t shared = 0;
  if (suffixes) {
    while (shared < most && a[shared] == b[shared]) ++shared;
  } else {
    while (shared < most && a[a.size() - 1 - shared] == b[b.size() - 1 - shared]) ++shared;
  }
  return a.size() - shared <= NearNames::kMostAffix && b.size() - shared <= NearNames::kMostAffix &&
         worthMatching(shared, std::max(a.size(), b.size()));
}

}  // namespace

size_t NearNames::SegmentHash::operator()(const SegmentKey& key) const {
  return std::hash<std::string_view>()(key.text) ^ (size_t{key.length} * 0x9E3779B97F4A7C15ULL) ^ key.segment;
}

NearNames::NearNames(std::vector<std::string> names) : names_(std::move(names)) {
  for (size_t id = 0; id < names_.size(); ++id) {
    const std::string_view name = names_[id];
    const Segments parts = segmentsOf(name.size());
    for (uint32_t k = 0; k < 3; ++k) {
      segments_[{static_cast<uint32_t>(name.size()), k, name.substr(parts.start[k], parts.size[k])}].push_back(
          static_cast<uint32_t>(id));
    }
    // A name shares with another all but an affix of at most four
    // characters each only when it starts (ends) with all of itself but its
    // last (first) four; that is all that is indexed.
    if (name.size() > kMostAffix && worthMatching(name.size() - kMostAffix, name.size())) {
      withoutSuffix_[name.substr(0, name.size() - kMostAffix)].push_back(static_cast<uint32_t>(id));
      withoutPrefix_[name.substr(kMostAffix)].push_back(static_cast<uint32_t>(id));
    }
  }
}

std::optional<size_t> NearNames::nearest(std::string_view name) const {
  std::vector<uint32_t> candidates;
  // Names within two edits share a whole segment, moved by at most two places.
  for (size_t length = name.size() > kMostEdits ? name.size() - kMostEdits : 0; length <= name.size() + kMostEdits;
       ++length) {
    const Segments parts = segmentsOf(length);
    const long lengthDifference = static_cast<long>(name.size()) - static_cast<long>(length);
    const long edits = static_cast<long>(kMostEdits);
    for (uint32_t k = 0; k < 3; ++k) {
      // Segment k can only have moved by the edits before it, and by what
      // the edits after it leave of the difference in length.
      const long before = static_cast<long>(k);
      const long lowest = std::max(-before, lengthDifference - (edits - before));
      const long highest = std::min(before, lengthDifference + (edits - before));
      for (long shift = lowest; shift <= highest; ++shift) {
        const long start = static_cast<long>(parts.start[k]) + shift;
        if (start < 0 || static_cast<size_t>(start) + parts.size[k] > name.size()) continue;
        const auto found = segments_.find(
            {static_cast<uint32_t>(length), k, name.substr(static_cast<size_t>(start), parts.size[k])});
        if (found != segments_.end()) candidates.insert(candidates.end(), found->second.begin(), found->second.end());
      }
    }
  }
  // Names the same but for a prefix or suffix of at most four characters
  // on each side: their indexed start (end) is a start (end) of this name.
  std::vector<uint32_t> sharingCore;
  for (size_t cut = 0; cut <= 2 * kMostAffix && cut < name.size(); ++cut) {
    const std::string_view start = name.substr(0, name.size() - cut);
    const std::string_view end = name.substr(cut);
    for (const auto& [index, core] : {std::pair{&withoutSuffix_, start}, std::pair{&withoutPrefix_, end}}) {
      const auto found = index->find(core);
      if (found == index->end()) continue;
      for (const uint32_t id : found->second) {
        if (sharesAllButAffixes(name, names_[id], index == &withoutSuffix_)) sharingCore.push_back(id);
      }
    }
  }
  std::sort(sharingCore.begin(), sharingCore.end());
  candidates.insert(candidates.end(), sharingCore.begin(), sharingCore.end());
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

  std::optional<size_t> best;
  size_t bestDistance = SIZE_MAX;
  const size_t limit = 2 * kMostAffix;  // the most two affixes of four can differ by
  for (const uint32_t id : candidates) {
    const size_t distance = editDistance(name, names_[id], limit);
    const bool near = distance <= kMostEdits || std::binary_search(sharingCore.begin(), sharingCore.end(), id);
    if (!near) continue;
    if (distance < bestDistance) {
      best = id;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace ulmar
