#include "element_table.h"
#include "fake_serial_port.h"
#include "window_test.h"
#include "wrapping_button.h"

namespace quellmark {
namespace {

using namespace test_support;

// The widest values that elements show besides their captions, which the element table holds.
const std::pair<const char*, const char*> kWidestValues[] = {
    {"Command1", "Trennen"}, {"Combo1", "COM 10"}, {"Label1", "-6,5 db"},
    {"Label1", "50,5 db"},   {"Label7", "-22 db"}, {"Label8", "243"},
};

std::string Show(const QRect& r) {
    return QString::asprintf("(%d,%d %dx%d)", r.x(), r.y(), r.width(), r.height()).toStdString();
}

// Where inside `widget` its style draws the text.
QRect TextArea(QWidget* widget) {
    QStyle* style = widget->style();
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        return style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                     combo);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
        // The line edit keeps two pixels clear on either side of its text.
        return style->subElementRect(QStyle::SE_LineEditContents, &option, edit)
            .adjusted(2, 0, -2, 0);
    }
    return widget->contentsRect();
}

::testing::AssertionResult Fits(QWidget* widget, const QString& text) {
    const QRect area = TextArea(widget);
    const int wrap = qobject_cast<WrappingButton*>(widget) ? Qt::TextWordWrap : 0;
    const QRect needed = widget->fontMetrics().boundingRect(area, Qt::AlignCenter | wrap, text);
    return area.contains(needed) ? ::testing::AssertionSuccess()
                                 : ::testing::AssertionFailure()
                                       << text.toStdString() << " needs " << Show(needed) << " in "
                                       << Show(area);
}

// How far two rectangles reach into each other: the thinner side of their intersection.
int Overlap(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : std::min(both.width(), both.height());
}

// The desktop's font at the given size, as the window gets it from the application.
struct FontFitTest : WindowTest, ::testing::WithParamInterface<double> {
    FontFitTest() : WindowTest(new testing::FakeSerialPort) {
        QFont font = original;
        font.setPointSizeF(GetParam());
        QApplication::setFont(font);
        // The window hears of the change through the event loop.
        QApplication::processEvents();
    }
    ~FontFitTest() override { QApplication::setFont(original); }

    const QFont original = QApplication::font();
};

TEST_P(FontFitTest, EveryTextShowsWholeAndNothingOverlaps) {
    // The table's geometry is checked at start-up, at the reference font; other fonts grow it.
    EXPECT_EQ(form->size() == kTableSize, GetParam() == original.pointSizeF())
        << Show(form->rect());
    std::vector texts(std::begin(kWidestValues), std::end(kWidestValues));
    for (const auto& element : kElements) {
        if (element.text && !qobject_cast<QGroupBox*>(Find(element.name))) {
            texts.emplace_back(element.name, element.text);
        }
    }
    for (const auto& [element, text] : texts) {
        Find(element)->setProperty("text", QString::fromUtf8(text));
        EXPECT_TRUE(Fits(Find(element), QString::fromUtf8(text))) << element;
    }
    for (const auto& a : kElements) {
        QWidget* widget = Find(a.name);
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << a.name;
        for (const auto& b : kElements) {
            if (&a < &b && a.parent == b.parent) {
                EXPECT_LE(Overlap(widget->geometry(), Find(b.name)->geometry()),
                          Overlap(a.geometry, b.geometry))
                    << a.name << " and " << b.name;
            }
        }
    }
}

// 9 pt is the reference: what the window gets on a plain desktop.
INSTANTIATE_TEST_SUITE_P(PointSizes, FontFitTest, ::testing::Values(9.0, 16.0));

}  // namespace
}  // namespace quellmark
