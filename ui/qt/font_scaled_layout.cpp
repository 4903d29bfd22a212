#include "font_scaled_layout.h"

#include <QFontMetricsF>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace quellmark {

namespace {

const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
// The reference font's measures in pixels: the advance of kAlphabet and the line height.
constexpr double kReferenceAlphabetWidth = 385.0625;
constexpr double kReferenceHeight = 13.96875;

int Scale(int coordinate, double factor) {
    return static_cast<int>(std::lround(coordinate * factor));
}

}  // namespace

double FontScaleFactor(const QFont& font, const QWidget& device) {
    const QFontMetricsF metrics(font, &device);
    return std::max({1.0, metrics.horizontalAdvance(kAlphabet) / kReferenceAlphabetWidth,
                     metrics.height() / kReferenceHeight});
}

QRect ScaleRect(const QRect& rect, double factor) {
    return QRect(QPoint(Scale(rect.left(), factor), Scale(rect.top(), factor)),
                 QPoint(Scale(rect.right(), factor), Scale(rect.bottom(), factor)));
}

FontScaledLayout::FontScaledLayout(QWidget& window, QSize tableSize)
    : window_(window), tableSize_(tableSize) {}

void FontScaledLayout::Place(QWidget& widget, const QRect& tableGeometry) {
    entries_.push_back({&widget, tableGeometry});
}

void FontScaledLayout::Apply() {
    const double factor = FontScaleFactor(window_.font(), window_);
    window_.setFixedSize(ScaleRect(QRect(QPoint(0, 0), tableSize_), factor).size());
    for (const auto& [widget, tableGeometry] : entries_) {
        widget->setGeometry(ScaleRect(tableGeometry, factor));
    }
}

}  // namespace quellmark
