#pragma once

#include <string_view>

namespace accessible {

// How a screen reader asks to walk a line of text: a character, a word (with the blanks after
// it), or the whole line, which is also its only sentence and paragraph.
enum class Boundary { Character, Word, Line };

// A stretch of text in UTF-16 units, from start up to end.
struct Segment {
    int start = 0;
    int end = 0;
    friend bool operator==(const Segment&, const Segment&) = default;
};

// The segment at an offset, and the ones before and after it, of a single line of text. Every
// answer lies within the text, whatever the offset (one outside it counts as its nearest end),
// and comes at once. At the end of the text a word or the line is the last one, so a reader
// whose caret stands after "100" still hears "100"; a character there is empty. A number is
// one word, its sign and decimal point included.
Segment segmentAt(std::u16string_view text, int offset, Boundary boundary);
Segment segmentBefore(std::u16string_view text, int offset, Boundary boundary);
Segment segmentAfter(std::u16string_view text, int offset, Boundary boundary);

} // namespace accessible
