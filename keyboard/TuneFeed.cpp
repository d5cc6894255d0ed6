#include "TuneFeed.h"

#include <utility>

namespace keyboard {

TuneFeed::TuneFeed(audio::MidiScore score, Sinks sinks)
    : score_(std::move(score)), sinks_(std::move(sinks)) {}

bool TuneFeed::advance(double seconds) {
    const auto& events = score_.events;
    while (sent_ < events.size() && events[sent_].seconds <= seconds + aheadSeconds &&
           sinks_.send(events[sent_])) {
        ++sent_;
    }
    while (shown_ < events.size() && events[shown_].seconds <= seconds) {
        sinks_.show(events[shown_++].event);
    }
    return shown_ < events.size() ||
           (!events.empty() && seconds < events.back().seconds + tailSeconds);
}

} // namespace keyboard
