#include "Presets.h"

#include "forms/Conversions.h"

namespace editor {

Presets::Presets(const Boxes& boxes) : boxes_(boxes) {}

void Presets::buttonClicked(int index) {
    for (forms::TextBox* box : boxes_) {
        box->setText(forms::integerToText(0));
    }
    if (index < 0 || static_cast<std::size_t>(index) >= presetRows.size()) {
        return;
    }
    for (const Assignment& assignment : presetRows[static_cast<std::size_t>(index)]) {
        boxes_.at(assignment.box)->setText(forms::integerToText(assignment.value));
    }
}

void Presets::load(std::span<const std::string> texts) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i]->setText(i < texts.size() ? texts[i] : forms::integerToText(0));
    }
}

void Presets::restore(std::span<const std::string> texts) {
    for (std::size_t i = 0; i < boxes_.size() && i < texts.size(); ++i) {
        if (boxes_[i]->text() != texts[i]) {
            boxes_[i]->setText(
                forms::integerToText(forms::roundToInt16(forms::strictNumber(texts[i]))));
            boxes_[i]->setText(texts[i]);
        }
    }
}

} // namespace editor
