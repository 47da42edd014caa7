// What the core has asked the platform to make and not yet asked it (or the
// end of a painting or of a window) to release, by kind: the counts a long
// session must bring back to where they were.
#pragma once

#include <array>
#include <cstddef>
#include <ostream>

namespace korvel::fake {

// Each as the Windows adapter makes it: a window of the welcome class holds
// its rule pen from creation to destruction, a coloured dialog its field brush,
// a painting its fonts; process handles come from starts and opens. Dialog
// data is the adapter's own record of a dialog (whom it reports to), and one
// more for a dialog with coloured fields (its colours and brush).
enum class ObjectKind { icon, window, font, pen, brush, process_handle, dialog_data };
inline constexpr std::size_t object_kind_count = 7;

struct LiveObjects {
  std::array<int, object_kind_count> counts{};

  void made(ObjectKind kind) { ++counts[static_cast<std::size_t>(kind)]; }
  void released(ObjectKind kind) { --counts[static_cast<std::size_t>(kind)]; }
  int operator[](ObjectKind kind) const { return counts[static_cast<std::size_t>(kind)]; }
  int& operator[](ObjectKind kind) { return counts[static_cast<std::size_t>(kind)]; }
  bool operator==(const LiveObjects&) const = default;
};

// A failing comparison names every count.
inline void PrintTo(const LiveObjects& live, std::ostream* out) {
  static constexpr const char* names[object_kind_count] = {"icons",   "windows",         "fonts",      "pens",
                                                          "brushes", "process handles", "dialog data"};
  for (std::size_t i = 0; i < object_kind_count; ++i) *out << (i ? ", " : "") << names[i] << ' ' << live.counts[i];
}

// The fakes count into a ledger when they were given one.
inline void note_made(LiveObjects* live, ObjectKind kind) {
  if (live) live->made(kind);
}
inline void note_released(LiveObjects* live, ObjectKind kind) {
  if (live) live->released(kind);
}

}  // namespace korvel::fake
