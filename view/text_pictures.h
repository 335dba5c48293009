// The pictures of a month's outlined texts, each drawn once and laid again
// wherever the same text falls in a box of the same size. Drawing the texts
// is nearly all the cost of drawing a month, and a month flip shows mostly
// the same texts in the same boxes (day numbers, lunar days, names).
#pragma once

#include <algorithm>
#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "view/display_list.h"

// One outlined text drawn alone (halo and fill) on a transparent picture, to
// be laid on the month where its box lies: (left, top) is the picture's corner
// relative to the box's.
struct TextPicture {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // premultiplied ARGB, row by row; empty when nothing is drawn
};

// What a text picture depends on: the text, its style and its box's size
// (the colours' alpha is not: the fill is opaque, the halo's own ramp).
struct TextPictureKey {
    std::string text;
    TextStyle style;
    int width = 0;
    int height = 0;
    HorizontalAlignment alignment = HorizontalAlignment::kCenter;
    bool operator<(const TextPictureKey& other) const;
};

// The text pictures drawn so far, kept by the window from one rebuild to the
// next. A month needs about eighty; a long session of paging through years
// of festivals would need thousands, so past `capacity` the picture used
// longest ago makes room, and the months just shown keep theirs.
class TextPictures {
public:
    static constexpr size_t kDefaultCapacity = 1000;
    explicit TextPictures(size_t capacity = kDefaultCapacity) : capacity_(std::max<size_t>(capacity, 1)) {}

    // The kept picture, now the one used last; null when there is none.
    const TextPicture* Find(const TextPictureKey& key);
    const TextPicture& Add(const TextPictureKey& key, TextPicture picture);
    // A picture drawn by an earlier start (view/kept_drawing.h), kept as the
    // one used longest ago and not counted as drawn; nothing when the key is
    // already kept or there is no room.
    void KeepEarlier(const TextPictureKey& key, TextPicture picture);
    size_t size() const { return byKey_.size(); }
    // How many pictures were drawn; for tests and timing.
    int drawn() const { return drawn_; }
    // Calls `visit(key, picture)` for up to `count` pictures, the one used
    // last first.
    template <typename Visit>
    void VisitRecent(size_t count, Visit visit) const {
        for (auto entry = byUse_.begin(); entry != byUse_.end() && count > 0; ++entry, --count)
            visit(entry->first, entry->second);
    }

private:
    using Entry = std::pair<TextPictureKey, TextPicture>;
    size_t capacity_;
    std::list<Entry> byUse_;  // the one used last first
    std::map<TextPictureKey, std::list<Entry>::iterator> byKey_;
    int drawn_ = 0;
};
