#include "runtime/graphics/afterimage.hpp"

#include <algorithm>
#include <utility>

namespace rt {

namespace {
// Few at a time (one per run's cart window), so a list searched in order.
std::vector<std::pair<double, std::vector<AfterimageShape>>>& kept() {
    static std::vector<std::pair<double, std::vector<AfterimageShape>>> all;
    return all;
}
}  // namespace

void set_afterimage(double axes, std::vector<AfterimageShape> shapes) {
    auto& all = kept();
    std::erase_if(all, [axes](const auto& a) { return a.first == axes; });
    if (!shapes.empty()) all.emplace_back(axes, std::move(shapes));
}

const std::vector<AfterimageShape>* afterimage_of(double axes) {
    for (const auto& [h, shapes] : kept()) {
        if (h == axes) return &shapes;
    }
    return nullptr;
}

void clear_afterimages() { kept().clear(); }

}  // namespace rt
