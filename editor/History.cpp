#include "History.h"

#include "forms/Conversions.h"

#include <algorithm>

namespace editor {

History::History(Step start) : states_{std::move(start)} {}

void History::record(const Step& now, int mergeKey) {
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

const Step& History::undo() {
    at_ -= canUndo() ? 1 : 0;
    lastKey_ = 0;
    return states_[at_];
}

const Step& History::redo() {
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

namespace {

constexpr std::string_view envelopeWord = "envelope";

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        if (line.find_first_not_of(" \t\r,;") != std::string_view::npos) {
            lines.push_back(line);
        }
        at = end + 1;
    }
    return lines;
}

// The settings after the word, each held in its range; those not given keep their defaults.
std::optional<model::Envelope> envelopeIn(std::string_view line, ParsedAmplitudes& problem) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos ||
        line.substr(start, envelopeWord.size()) != envelopeWord) {
        return std::nullopt;
    }
    const ParsedAmplitudes numbers = parseAmplitudes(line.substr(start + envelopeWord.size()));
    if (numbers.problem == ParsedAmplitudes::Problem::NotANumber) {
        problem = numbers;
    }
    std::array<double, model::envelopeSettings> settings = model::settingsOf(model::Envelope{});
    for (std::size_t i = 0; i < std::min(numbers.numbers.size(), settings.size()); ++i) {
        settings[i] = forms::strictNumber(numbers.numbers[i]);
    }
    return model::envelopeOf(settings);
}

ParsedHarmonics harmonicsIn(std::string_view text, const std::vector<std::string_view>& lines) {
    // Two lines are amplitudes and phases, each as long as it is: those not given are 0, as
    // amplitudes not given are. Any other layout stays what it always was.
    if (lines.size() == 2) {
        ParsedHarmonics parsed{parseAmplitudes(lines[0]), {}};
        const ParsedAmplitudes phases = parseAmplitudes(lines[1]);
        if (parsed.amplitudes.problem == ParsedAmplitudes::Problem::None &&
            phases.problem == ParsedAmplitudes::Problem::None) {
            parsed.amplitudes.leftOut += phases.leftOut;
            auto& amplitudes = parsed.amplitudes.numbers;
            for (std::size_t k = 0; k < phases.numbers.size(); ++k) {
                const double amplitude =
                    k < amplitudes.size() ? forms::strictNumber(amplitudes[k]) : 0.0;
                const Phased phased = folded(amplitude, forms::strictNumber(phases.numbers[k]));
                if (k < amplitudes.size() && phased.amplitude != amplitude) {
                    amplitudes[k] = forms::doubleToText(phased.amplitude);
                }
                parsed.phases[k] = phased.phase;
            }
            return parsed;
        }
    }
    return {parseAmplitudes(text), {}};
}

} // namespace

ParsedHarmonics parseHarmonics(std::string_view text) {
    std::vector<std::string_view> lines = linesOf(text);
    ParsedAmplitudes problem;
    const std::optional<model::Envelope> envelope =
        lines.empty() ? std::nullopt : envelopeIn(lines.back(), problem);
    if (problem.problem != ParsedAmplitudes::Problem::None) {
        return {problem, {}, {}};
    }
    if (!envelope) {
        return harmonicsIn(text, lines);
    }
    lines.pop_back();
    std::string rest;
    for (const std::string_view line : lines) {
        rest.append(line).push_back('\n');
    }
    ParsedHarmonics parsed = harmonicsIn(rest, lines);
    parsed.envelope = envelope;
    return parsed;
}

std::string harmonicsAsText(const Step& step) {
    const std::string amplitudes = amplitudesAsText(step.texts);
    if (step.envelope == model::Envelope{}) {
        return allZero(step.phases) ? amplitudes : amplitudes + "\n" + phasesAsText(step.phases);
    }
    std::string envelope(envelopeWord);
    for (const double setting : model::settingsOf(step.envelope)) {
        envelope.append(" ").append(forms::doubleToText(setting));
    }
    return amplitudes + "\n" + phasesAsText(step.phases) + "\n" + envelope;
}

} // namespace editor
