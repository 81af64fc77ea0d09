#include "runtime/window/figure_export.hpp"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include "runtime/array/error.hpp"
#include "runtime/graphics/graphics_object.hpp"
#include "runtime/render/afterimage_painter.hpp"
#include "runtime/render/chart_painter.hpp"
#include "runtime/render/figure_painter.hpp"
#include "runtime/window/offscreen_toolkit.hpp"

namespace rt {

std::vector<std::string> save_figures(const std::string& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) {
        raise("save-figures: cannot make the folder '" + dir + "'" + (ec ? ": " + ec.message() : std::string()) + ".");
    }
    const OffscreenToolkit toolkit;

    std::vector<std::string> written;
    for (const GraphicsObject* fig : open_figures()) {
        const std::string path =
            (fs::path(dir) / ("figure-" + std::to_string(static_cast<long long>(fig->handle())) + ".png")).string();
        QImage picture = render_figure(*fig);
        if (!picture.isNull()) {
            QPainter painter(&picture);
            paint_afterimages(*fig, painter, picture.size());
        }
        if (!picture.save(QString::fromStdString(path), "PNG")) raise("save-figures: cannot write '" + path + "'.");
        written.push_back(path);
    }
    return written;
}

}  // namespace rt

namespace rt {

std::string save_chart(const std::string& dir, const std::string& name, const Chart& chart, int width, int height) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(dir, ec);
    const OffscreenToolkit toolkit;
    const std::string path = (fs::path(dir) / (name + ".png")).string();
    const QImage picture = render_chart(chart, QSize(std::max(width, 1), std::max(height, 1)));
    if (!picture.save(QString::fromStdString(path), "PNG")) raise("save-figures: cannot write '" + path + "'.");
    return path;
}

}  // namespace rt
