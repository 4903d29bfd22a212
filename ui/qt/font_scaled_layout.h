#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QFont;
class QWidget;

namespace quellmark {

// How much larger than the reference font `font` is on `device`, as one factor for both
// directions: the larger of the ratios of average character width and line height, like dialog
// units. Never below 1, so the window never shrinks under its table geometry. The reference is
// the font the window gets on a plain desktop: Sans Serif 9 pt (DejaVu Sans, 12 px at 96 dpi).
double FontScaleFactor(const QFont& font, const QWidget& device);

// `rect` grown by `factor`. Its first and last pixel columns and rows are scaled and rounded, so
// rectangles that share a pixel at factor 1 still share exactly one, and rectangles that do not
// touch stay apart.
QRect ScaleRect(const QRect& rect, double factor);

// The window's geometry as a table of pixel rectangles at the reference font, applied grown by
// the factor of the window's current font.
class FontScaledLayout {
public:
    FontScaledLayout(QWidget& window, QSize tableSize);

    // Records `widget`'s rectangle in the table, relative to its parent; Apply places it.
    void Place(QWidget& widget, const QRect& tableGeometry);
    // Places the window and every recorded widget for the window's current font.
    void Apply();

private:
    struct Entry {
        QWidget* widget;
        QRect tableGeometry;
    };

    QWidget& window_;
    QSize tableSize_;
    std::vector<Entry> entries_;
};

}  // namespace quellmark
