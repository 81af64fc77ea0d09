#include "runtime/main/charts.hpp"

#include <algorithm>
#include <memory>

#ifdef TAVRIN_WITH_WINDOWS
#include "runtime/window/qt_window_backend.hpp"
#endif

namespace rt {

namespace {
// Each chart stays where it is while others are added: windows point at it.
std::vector<std::unique_ptr<NamedChart>>& registry() {
    static std::vector<std::unique_ptr<NamedChart>> all;
    return all;
}

NamedChart* find(const std::string& name) {
    for (auto& c : registry()) {
        if (c->name == name) return c.get();
    }
    return nullptr;
}
}  // namespace

Chart& chart(const std::string& name, const ChartPlace& place) {
    if (NamedChart* c = find(name)) return c->chart;
    registry().push_back(std::make_unique<NamedChart>(NamedChart{name, place, {}}));
    return registry().back()->chart;
}

void chart_changed(const std::string& name, bool reopen) {
#ifdef TAVRIN_WITH_WINDOWS
    NamedChart* c = find(name);
    QtWindowBackend* windows = QtWindowBackend::running();
    if (c && windows) windows->show_chart(c->name, c->chart, c->place.title, c->place.place, reopen);
#else
    (void)name, (void)reopen;
#endif
}

std::vector<const NamedChart*> charts() {
    std::vector<const NamedChart*> all;
    for (const auto& c : registry()) all.push_back(c.get());
    return all;
}

void forget_charts() { registry().clear(); }

}  // namespace rt
