#include "EnvelopeLayout.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace largeview {
namespace {

constexpr std::array<double, 25> times{0,    1,    2,    5,    10,   20,   30,   50,   75,
                                       100,  150,  200,  300,  400,  500,  750,  1000, 1500,
                                       2000, 3000, 4000, 5000, 6000, 8000, 10000};

// Each stretch of time takes its share of the width, a time's place in it growing as its square
// root, so that milliseconds and seconds both show; holding the key takes a fixed share.
constexpr double left = 0.05;
constexpr double attackWidth = 0.2;
constexpr double decayWidth = 0.25;
constexpr double holdWidth = 0.08;
constexpr double releaseWidth = 0.2;
constexpr double brightnessX = 0.9;
constexpr double top = 0.15;
constexpr double bottom = 0.9;

double yOf(double level) {
    return bottom - (bottom - top) * level;
}
double levelAt(double y) {
    return std::clamp((bottom - y) / (bottom - top), 0.0, 1.0);
}
double range(Setting setting) {
    return model::envelopeRanges[std::size_t(setting)].high;
}
double shareOf(Setting setting) {
    return setting == Setting::Attack  ? attackWidth
           : setting == Setting::Decay ? decayWidth
                                       : releaseWidth;
}
double widthOf(Setting setting, double ms) {
    return shareOf(setting) * std::sqrt(std::max(0.0, ms) / range(setting));
}
double msAt(Setting setting, double from, double x) {
    const double f = std::clamp((x - from) / shareOf(setting), 0.0, 1.0);
    return std::round(f * f * range(setting));
}

double steppedTime(double value, int steps) {
    auto at = std::lower_bound(times.begin(), times.end(), value - 1e-9);
    long index = std::distance(times.begin(), at);
    if (steps < 0 && (at == times.end() || *at > value + 1e-9)) {
        ++steps; // between two values, the one below is the first step down
    }
    index = std::clamp(index + steps, 0L, long(times.size()) - 1);
    return times[std::size_t(index)];
}

} // namespace

double stepped(Setting setting, double value, int steps) {
    const model::EnvelopeRange r = model::envelopeRanges[std::size_t(setting)];
    double to = value;
    switch (setting) {
    case Setting::Sustain:
        to = std::round(value) + steps;
        break;
    case Setting::Brightness:
        to = std::round(value * 10.0 + steps) / 10.0;
        break;
    default:
        to = steppedTime(value, steps);
    }
    return std::clamp(to, r.low, r.high);
}

model::Envelope with(model::Envelope envelope, Setting setting, double value) {
    std::array<double, model::envelopeSettings> settings = model::settingsOf(envelope);
    settings[std::size_t(setting)] = value;
    return model::envelopeOf(settings);
}

Point EnvelopePoints::of(Setting setting) const {
    switch (setting) {
    case Setting::Attack:
        return peak;
    case Setting::Decay:
    case Setting::Sustain:
        return sustain;
    case Setting::Release:
        return end;
    default:
        return brightness;
    }
}

EnvelopePoints pointsOf(const model::Envelope& e) {
    const double sustain = e.sustainPercent / 100.0;
    EnvelopePoints p{};
    p.peak = {left + widthOf(Setting::Attack, e.attackMs), yOf(e.decayMs > 0.0 ? 1.0 : sustain)};
    p.sustain = {p.peak.x + widthOf(Setting::Decay, e.decayMs), yOf(sustain)};
    p.letGo = {p.sustain.x + holdWidth, yOf(sustain)};
    p.end = {p.letGo.x + widthOf(Setting::Release, e.releaseMs), yOf(0.0)};
    p.brightness = {brightnessX, yOf(1.0 - e.brightness / 2.0)};
    return p;
}

double harmonicAt(const model::Envelope& e, int k, double fraction) {
    const double sustain = e.sustainPercent / 100.0;
    return sustain + (1.0 - sustain) *
                         std::exp(-std::log(1000.0) * std::pow(double(k), e.brightness) * fraction);
}

double settingAt(const model::Envelope& e, Setting setting, Point at) {
    const EnvelopePoints p = pointsOf(e);
    switch (setting) {
    case Setting::Attack:
        return std::max(1.0, msAt(setting, left, at.x));
    case Setting::Decay:
        return msAt(setting, p.peak.x, at.x);
    case Setting::Sustain:
        return std::round(levelAt(at.y) * 100.0);
    case Setting::Release:
        return std::max(5.0, msAt(setting, p.letGo.x, at.x));
    default:
        return std::round((1.0 - levelAt(at.y)) * 20.0) / 10.0;
    }
}

} // namespace largeview
