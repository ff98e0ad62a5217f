#pragma once
// Finds, among a set of names, the nearest to a name asked for: within an
// edit distance of 2, or the same but for a prefix or a suffix of at most 4
// characters. Indexed, so that asking costs about the same however many
// names there are.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ulmar {

class NearNames {
public:
  explicit NearNames(std::vector<std::string> names);
  NearNames(const NearNames&) = delete;
  NearNames& operator=(const NearNames&) = delete;

  // The position of the nearest name (fewest edits; the first of equals),
  // or nothing when none is near enough.
  std::optional<size_t> nearest(std::string_view name) const;

  static constexpr size_t kMostEdits = 2;
  static constexpr size_t kMostAffix = 4;

private:
  struct SegmentKey {
    uint32_t length;
    uint32_t segment;
    std::string_view text;
    bool operator==(const SegmentKey&) const = default;
  };
  struct SegmentHash {
    size_t operator()(const SegmentKey& key) const;
  };

  std::vector<std::string> names_;
  // Each name cut in three segments: two edits leave one of them whole.
  std::unordered_map<SegmentKey, std::vector<uint32_t>, SegmentHash> segments_;
  // Each name without its last (first) 0 to 4 characters.
  std::unordered_map<std::string_view, std::vector<uint32_t>> withoutSuffix_;
  std::unordered_map<std::string_view, std::vector<uint32_t>> withoutPrefix_;
};

}  // namespace ulmar
