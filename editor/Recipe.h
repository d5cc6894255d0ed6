#pragma once

#include "History.h"
#include "model/TimbreOverTime.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

// A box's text as the tone reads it: the number it holds whole, or silence.
double amplitudeOfText(std::string_view text);

// What a step sounds.
model::Timbre timbreOf(const Step& step);

// A timbre as the boxes and phases take it: each phase folded into (-90, 90] and each amplitude
// rounded to a whole number; a harmonic too faint for one keeps no phase, as one set to 0 by
// hand does.
Step stepOf(const model::Timbre& timbre);

// A step as a note over time holds a moment: magnitudes, and phases in (-180, 180].
model::Moment momentOf(const Step& step, double seconds, double hz);

// A note at `count` instants spread evenly over its life, each as the boxes would take it: a
// wavetable's frames, each at its index.
model::TimbreOverTime framesOf(const model::TimbreOverTime& note, std::size_t count);

// How a wavetable keeps what made it: a line naming the form and the count of frames, then each
// frame's box texts and phases on two lines, as Copy amplitudes writes them.
std::string recipeText(std::span<const Step> frames);

struct Recipe {
    std::size_t claimed = 0; // frames, as its first line says
    // Each frame, or none where a line is not as written above or a text is not one a box
    // could hold.
    std::vector<Step> frames;
};
// Nothing where the text is not a recipe at all.
std::optional<Recipe> parseRecipe(std::string_view text);

} // namespace editor
