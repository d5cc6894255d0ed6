#include "TextSegments.h"

#include <algorithm>

namespace accessible {
namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u00A0';
}

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

int length(std::u16string_view text) {
    return static_cast<int>(text.size());
}

// The two halves of a surrogate pair are one character, whichever half is asked for.
Segment characterAt(std::u16string_view text, int offset) {
    if (offset >= length(text)) {
        return {length(text), length(text)};
    }
    const int start = offset > 0 && isLowSurrogate(text[offset]) ? offset - 1 : offset;
    const int end =
        start + 1 < length(text) && isLowSurrogate(text[start + 1]) ? start + 2 : start + 1;
    return {start, end};
}

// A word segment starts at the text's start and wherever a word follows a blank, and runs to
// the next start: each word with the blanks after it, and the blanks before the first alone.
bool startsWordSegment(std::u16string_view text, int at) {
    return at == 0 || (!isBlank(text[at]) && isBlank(text[at - 1]));
}

Segment wordAt(std::u16string_view text, int offset) {
    if (text.empty()) {
        return {0, 0};
    }
    int start = std::min(offset, length(text) - 1);
    while (!startsWordSegment(text, start)) {
        --start;
    }
    int end = start + 1;
    while (end < length(text) && !startsWordSegment(text, end)) {
        ++end;
    }
    return {start, end};
}

} // namespace

Segment segmentAt(std::u16string_view text, int offset, Boundary boundary) {
    offset = std::clamp(offset, 0, length(text));
    switch (boundary) {
    case Boundary::Character:
        return characterAt(text, offset);
    case Boundary::Word:
        return wordAt(text, offset);
    case Boundary::Line:
        break;
    }
    return {0, length(text)};
}

Segment segmentBefore(std::u16string_view text, int offset, Boundary boundary) {
    offset = std::clamp(offset, 0, length(text));
    const Segment at = boundary == Boundary::Character && offset == length(text)
                           ? Segment{offset, offset}
                           : segmentAt(text, offset, boundary);
    return at.start == 0 ? Segment{0, 0} : segmentAt(text, at.start - 1, boundary);
}

Segment segmentAfter(std::u16string_view text, int offset, Boundary boundary) {
    const Segment at = segmentAt(text, offset, boundary);
    if (at.end >= length(text)) {
        return {length(text), length(text)};
    }
    return segmentAt(text, at.end, boundary);
}

} // namespace accessible
