#pragma once

class QScrollBar;

namespace app {

// How the window, the amplitude sliders and the notes over the display describe themselves to
// a screen reader. Must run before they are created; running it again does nothing.
void describeToScreenReaders();

// Marks a scroll bar as an amplitude slider: upside down, so a screen reader hears the
// amplitude its box shows rather than the bar's own value.
void markAmplitudeSlider(QScrollBar& slider);

} // namespace app
