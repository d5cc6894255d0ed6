#include "History.h"

#include "forms/Conversions.h"

#include <algorithm>

namespace editor {

History::History(Texts start) : states_{std::move(start)} {}

void History::record(const Texts& now, int mergeKey) {
    if (now == states_[at_]) {
        return;
    }
    states_.resize(at_ + 1);
    if (mergeKey != 0 && mergeKey == lastKey_ && at_ > 0) {
        states_[at_] = now;
        // Typing that came back to where it started is no step at all.
        if (states_[at_] == states_[at_ - 1]) {
            states_.pop_back();
            --at_;
        }
    } else {
        states_.push_back(now);
        ++at_;
    }
    if (states_.size() > steps + 1) {
        states_.erase(states_.begin());
        --at_;
    }
    lastKey_ = mergeKey;
}

const Texts& History::undo() {
    at_ -= canUndo() ? 1 : 0;
    lastKey_ = 0;
    return states_[at_];
}

const Texts& History::redo() {
    at_ += canRedo() ? 1 : 0;
    lastKey_ = 0;
    return states_[at_];
}

std::string amplitudesAsText(const Texts& texts) {
    std::string line;
    for (const std::string& text : texts) {
        line += (line.empty() ? "" : " ") + text;
    }
    return line;
}

ParsedAmplitudes parseAmplitudes(std::string_view text) {
    constexpr std::string_view separators = " \t,;\r\n";
    ParsedAmplitudes parsed;
    std::size_t at = text.find_first_not_of(separators);
    while (at != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(separators, at), text.size());
        const std::string_view word = text.substr(at, end - at);
        const forms::LeadingNumber number = forms::scanLeadingNumber(word);
        if (number.length != word.size()) {
            const std::size_t shown = std::min<std::size_t>(word.size(), 20);
            parsed.problem = ParsedAmplitudes::Problem::NotANumber;
            parsed.word = std::string(word.substr(0, shown)) + (shown < word.size() ? "…" : "");
            parsed.numbers.clear();
            return parsed;
        }
        if (parsed.numbers.size() < slotCount) {
            parsed.numbers.emplace_back(word);
        } else {
            ++parsed.leftOut;
        }
        at = text.find_first_not_of(separators, end);
    }
    if (parsed.numbers.empty()) {
        parsed.problem = ParsedAmplitudes::Problem::NoNumbers;
    }
    return parsed;
}

} // namespace editor
