#include "Recipe.h"

#include "forms/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace editor {
namespace {

constexpr std::string_view heading = "Tonvirta recipe 1, frames: ";
// Far more than any wavetable holds, so that a count cannot make the parser reserve much.
constexpr std::size_t mostFrames = 4096;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find(separator, at);
        parts.push_back(text.substr(at, end == std::string_view::npos ? end : end - at));
        if (end == std::string_view::npos) {
            return parts;
        }
        at = end + 1;
    }
}

// Only what a box would hold as it is: a number in its own shortest form, within the limit.
bool boxWouldHold(std::string_view text) {
    const forms::LeadingNumber number = forms::scanLeadingNumber(text);
    return number.length == text.size() && number.length > 0 &&
           std::abs(number.value) <= double(model::amplitudeLimit) &&
           forms::doubleToText(number.value) == text;
}

std::optional<Step> frameOf(std::string_view amplitudes, std::string_view phases) {
    const auto texts = split(amplitudes, ' ');
    const auto degrees = split(phases, ' ');
    if (texts.size() != slotCount || degrees.size() != slotCount) {
        return std::nullopt;
    }
    Step step;
    for (std::size_t k = 0; k < slotCount; ++k) {
        int phase = 0;
        const auto [end, fault] =
            std::from_chars(degrees[k].data(), degrees[k].data() + degrees[k].size(), phase);
        if (!boxWouldHold(texts[k]) || fault != std::errc() ||
            end != degrees[k].data() + degrees[k].size() || phase <= -90 || phase > 90) {
            return std::nullopt;
        }
        step.texts[k] = std::string(texts[k]);
        step.phases[k] = phase;
    }
    return step;
}

} // namespace

double amplitudeOfText(std::string_view text) {
    const forms::LeadingNumber number = forms::scanLeadingNumber(text);
    return number.length != 0 && number.length == text.size() ? number.value : 0.0;
}

model::Timbre timbreOf(const Step& step) {
    model::Timbre timbre;
    for (std::size_t k = 0; k < slotCount; ++k) {
        timbre.amplitudes[k] = amplitudeOfText(step.texts[k]);
        timbre.phases[k] = step.phases[k];
    }
    return timbre;
}

Step stepOf(const model::Timbre& timbre) {
    Step step;
    for (std::size_t k = 0; k < slotCount; ++k) {
        const Phased phased = folded(timbre.amplitudes[k], timbre.phases[k]);
        const double limit = model::amplitudeLimit;
        const std::int16_t whole = forms::roundToInt16(
            std::clamp(std::isfinite(phased.amplitude) ? phased.amplitude : 0.0, -limit, limit));
        step.texts[k] = forms::integerToText(whole);
        step.phases[k] = whole == 0 ? 0.0 : phased.phase;
    }
    return step;
}

model::Moment momentOf(const Step& step, double seconds, double hz) {
    model::Moment moment{seconds, hz, timbreOf(step), 0.0};
    for (std::size_t k = 0; k < slotCount; ++k) {
        double& amplitude = moment.timbre.amplitudes[k];
        double& phase = moment.timbre.phases[k];
        if (amplitude < 0.0) {
            amplitude = -amplitude;
            phase = phase <= 0.0 ? phase + 180.0 : phase - 180.0;
        }
    }
    return moment;
}

model::TimbreOverTime framesOf(const model::TimbreOverTime& note, std::size_t count) {
    model::TimbreOverTime frames;
    frames.frames = true;
    frames.stepSeconds = 1.0;
    const std::size_t last = note.moments.size() - 1;
    for (std::size_t f = 0; f < count && !note.moments.empty(); ++f) {
        const std::size_t at =
            count > 1 ? (f * last + (count - 1) / 2) / (count - 1) : 0; // the nearest moment
        const model::Moment& moment = note.moments[at];
        frames.moments.push_back(momentOf(stepOf(moment.timbre), double(f), moment.hz));
    }
    return frames;
}

std::string recipeText(std::span<const Step> frames) {
    std::string text = std::string(heading) + std::to_string(frames.size()) + '\n';
    for (const Step& frame : frames) {
        text += amplitudesAsText(frame.texts) + '\n' + phasesAsText(frame.phases) + '\n';
    }
    return text;
}

std::optional<Recipe> parseRecipe(std::string_view text) {
    if (!text.starts_with(heading)) {
        return std::nullopt;
    }
    auto lines = split(text.substr(heading.size()), '\n');
    Recipe recipe;
    const std::string_view count = lines.front();
    const auto [end, fault] =
        std::from_chars(count.data(), count.data() + count.size(), recipe.claimed);
    if (fault != std::errc() || end != count.data() + count.size()) {
        return std::nullopt;
    }
    // The text ends with a line break, and a chunk may be padded with zeros.
    while (lines.size() > 1 && lines.back().find_first_not_of('\0') == std::string_view::npos) {
        lines.pop_back();
    }
    if (recipe.claimed > mostFrames || lines.size() != 1 + 2 * recipe.claimed) {
        return recipe;
    }
    for (std::size_t f = 0; f < recipe.claimed; ++f) {
        const auto step = frameOf(lines[1 + 2 * f], lines[2 + 2 * f]);
        if (!step) {
            recipe.frames.clear();
            return recipe;
        }
        recipe.frames.push_back(*step);
    }
    return recipe;
}

} // namespace editor
