#include "runtime/render/paint_style.hpp"

#include <algorithm>
#include <cmath>

#include <QStringList>

#include "runtime/array/text.hpp"

namespace rt {

namespace {

using P = PropertyId;

QString row_text(const Value& chars, std::size_t r) {
    QString out;
    for (std::size_t c = 0; c < chars.cols(); ++c) out += QChar(static_cast<char16_t>(chars[r + c * chars.rows()]));
    return out;
}

}  // namespace

QColor to_qcolor(const Rgb& c) noexcept {
    return QColor::fromRgbF(static_cast<float>(std::clamp(c.r, 0.0, 1.0)),
                            static_cast<float>(std::clamp(c.g, 0.0, 1.0)),
                            static_cast<float>(std::clamp(c.b, 0.0, 1.0)));
}

std::optional<QColor> color_property(const GraphicsObject& obj, PropertyId id) noexcept {
    if (auto c = color_of(obj.value(id))) return to_qcolor(*c);
    return std::nullopt;
}

QPen line_pen(const GraphicsObject& obj, const QColor& color) {
    if (obj.is(P::LineStyle, "none")) return QPen(Qt::NoPen);
    double width = obj.value(P::LineWidth).numel() == 1 ? obj.value(P::LineWidth)[0] : 0.5;
    QPen pen(color, std::max(1.0, width * kPixelsPerPoint));
    // A cosmetic pen of one pixel takes the raster engine's fast line path.
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (obj.is(P::LineStyle, "--")) pen.setStyle(Qt::DashLine);
    else if (obj.is(P::LineStyle, ":")) pen.setStyle(Qt::DotLine);
    else if (obj.is(P::LineStyle, "-.")) pen.setStyle(Qt::DashDotLine);
    return pen;
}

QFont object_font(const GraphicsObject& obj, double reference_height) {
    QFont font(QString::fromStdString(obj.value(P::FontName).text()));
    font.setStyleHint(QFont::SansSerif);
    double size = obj.value(P::FontSize).numel() == 1 ? obj.value(P::FontSize)[0] : 10;
    double pixels = size * kPixelsPerPoint;
    if (obj.is(P::FontUnits, "pixels")) pixels = size;
    else if (obj.is(P::FontUnits, "inches")) pixels = size * 96;
    else if (obj.is(P::FontUnits, "centimeters")) pixels = size * 96 / 2.54;
    else if (obj.is(P::FontUnits, "normalized")) pixels = size * (reference_height > 0 ? reference_height : 100);
    // A typed size may be anything; a font is painted at 1 to 10000 pixels.
    font.setPixelSize(static_cast<int>(std::lround(std::clamp(std::isfinite(pixels) ? pixels : 1.0, 1.0, 10000.0))));
    if (obj.is(P::FontWeight, "bold") || obj.is(P::FontWeight, "demi")) font.setWeight(QFont::Bold);
    else if (obj.is(P::FontWeight, "light")) font.setWeight(QFont::Light);
    font.setItalic(obj.is(P::FontAngle, "italic") || obj.is(P::FontAngle, "oblique"));
    return font;
}

QString display_text(const Value& v) {
    if (v.is_char()) {
        QStringList lines;
        for (std::size_t r = 0; r < v.rows(); ++r) lines << row_text(v, r);
        return lines.join('\n');
    }
    if (v.is_cell()) {
        QStringList lines;
        for (std::size_t i = 0; i < v.numel(); ++i) lines << display_text(v.cell_at(i));
        return lines.join('\n');
    }
    if ((v.is_double() || v.is_logical()) && !v.is_empty()) {
        return QString::fromStdString(num2str(v).text());
    }
    return QString();
}

}  // namespace rt
