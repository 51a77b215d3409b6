#include "tests/sim/sim_window.h"

namespace coilrun::sim {

void SimWindow::show() {
    if (!visible) ++showCount;
    visible = true;
}

void SimWindow::paintNow() {
    if (visible && created) windowsWhenPainted = created->size();
}

void SimWindow::close() {
    if (onClose) onClose();
    visible = false;
    closed = true;
}

void SimWindow::setGeometry(const platform::Rect& r) {
    const bool resized = r.width != rect.width || r.height != rect.height;
    rect = r;
    if (resized && onResize) onResize(r.width, r.height);
}

bool SimWindow::setTransparentColor(const std::string& colour) {
    // The simulated machine knows colours by number only: "#rgb" or "#rrggbb".
    const bool number = (colour.size() == 4 || colour.size() == 7) && colour[0] == '#' &&
                        colour.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
    if (!number) return false;
    transparentColor = colour;
    return true;
}

std::unique_ptr<platform::Widget> SimWindow::createPanel(std::uint32_t) {
    return std::make_unique<SimWidget>();
}

std::unique_ptr<platform::Widget>
SimWindow::createLabel(const std::string& text, const platform::FontSpec& font, int x, int y) {
    auto label = std::make_unique<SimLabel>();
    label->text = text;
    label->font = font;
    label->rect = {x, y, 0, 0};
    labels.push_back(label.get());
    return label;
}

} // namespace coilrun::sim
