#include "expected_window.h"
#include "fake_serial_port.h"
#include "german_qt_texts.h"
#include "port_device.h"
#include "window_test.h"
#include "wrapping_button.h"

namespace quellmark {
namespace {

using namespace test_support;

using testing::kExpectedElements;

QRect Geometry(const testing::ExpectedElement& element) {
    return {element.x, element.y, element.width, element.height};
}

// The tooltip that the port list shows for the entry under the mouse, the list opened anew.
QString ShownTooltip(QComboBox* combo, int index) {
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QPoint at = list->visualRect(list->model()->index(index, 0)).center();
    QHelpEvent hover(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &hover);
    const QString shown = QToolTip::text();
    combo->hidePopup();
    return shown;
}

// The darkest pixel of what `widget` draws, as lightness from 0 (black) to 255.
int Darkest(QWidget* widget) {
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
    return qGray(*std::min_element(pixels, pixels + image.width() * image.height(),
                                   [](QRgb a, QRgb b) { return qGray(a) < qGray(b); }));
}

struct Form1Test : WindowTest {
    Form1Test() : WindowTest(new testing::FakeSerialPort) {}
    testing::FakeSerialPort& fake = static_cast<testing::FakeSerialPort&>(*port);
};

// Under a German locale, as ctest runs these tests: the gain shows the user's decimal comma.
TEST_F(Form1Test, StartsAsShown) {
    EXPECT_EQ(form->windowTitle(), "Quellmark");
    const QSize size(testing::kExpectedWidth, testing::kExpectedHeight);
    EXPECT_EQ(std::pair(form->minimumSize(), form->maximumSize()), std::pair(size, size));
    for (const auto& element : kExpectedElements) {
        SCOPED_TRACE(element.name);
        EXPECT_EQ(Find(element.name)->parentWidget(),
                  element.parent ? Find(element.parent) : form.get());
        EXPECT_EQ(Find(element.name)->geometry(), Geometry(element));
        EXPECT_EQ(Find(element.name)->isEnabled(), element.enabled);
        EXPECT_EQ(Text(element.name), element.text);
        // The name screen readers hear is the program's own, its label's or one it gives: Qt
        // alone would name a control inside a frame after the frame's title.
        if (element.namedBy) {
            const auto* label = qobject_cast<QLabel*>(Find(element.namedBy));
            EXPECT_TRUE(label ? label->buddy() == Find(element.name)
                              : Find(element.name)->accessibleName() == Text(element.namedBy));
        }
    }
    // The greyed buttons draw their own wrapping captions: grey, not black.
    EXPECT_GT(Darkest(Find("Command2")), Darkest(Find("Command1")) + 64);
    auto* combo = Find<QComboBox>("Combo1");
    EXPECT_EQ(combo->count(), 10);
    EXPECT_EQ(combo->itemText(9), "COM 10");
    // Looked up at every opening: a device named after the list was first opened shows too.
    EXPECT_NE(ShownTooltip(combo, 2), "/tmp/modem (QUELLMARK_COM3)");
    const PortDevice device(3, "/tmp/modem");
    EXPECT_EQ(ShownTooltip(combo, 2), "/tmp/modem (QUELLMARK_COM3)");
    // Built in: the window needs nothing installed to show it. Its dark blue ground.
    EXPECT_EQ(form->windowIcon().pixmap(32).toImage().pixelColor(16, 4), QColor(0x2d, 0x4f, 0x6c));
    EXPECT_TRUE(fake.writes.empty());
}

// Moving the thumb down raises the gain; each move writes the value then shown, once: a drag on
// release only. A reply moves its slider without writing back (the modem echoes the query, so
// the tag starts in column 21). Screen readers hear what each panel shows.
TEST_F(Form1Test, SlidersWriteWhatTheyShowAndRepliesMoveThem) {
    Click("Command1");
    EXPECT_EQ(State(), "Trennen 1111");
    auto* slider = Find<QSlider>("Slider1");
    QTest::mousePress(slider, Qt::LeftButton, {}, {20, 10});
    QTest::mouseMove(slider, {20, 150});
    QTest::mouseMove(slider, {20, 250});
    QTest::mouseRelease(slider, Qt::LeftButton, {}, {20, 250});
    Press("Slider1", Qt::Key_Down);
    Press("Slider2", Qt::Key_PageUp);
    EXPECT_EQ(fake.writes, (std::vector<std::string>{"gsm+ A at+vgt=51\r", "gsm+ A at+vgt=52\r",
                                                     "gsm+ A at+vgr=48\r"}));
    // A disconnect in the middle of an over-long line of junk: the next connection starts clean.
    fake.Receive(std::string(10000, 'x'));
    Click("Command1");
    Click("Command1");
    fake.writes.clear();
    fake.Receive("gsm+ A at+vgr?;+vgt?+VGT: 251\r\n");
    EXPECT_EQ(Position("Slider1"), 8);
    EXPECT_TRUE(fake.writes.empty());
    // RX stands at an odd position, which changes only the gain shown.
    EXPECT_EQ(Find("Slider1")->accessibleDescription(), "Gain -2,5 db, Value 251");
    EXPECT_EQ(Find("Slider2")->accessibleDescription(), "Gain -5 db, Value 48");
}

// Tab visits every control in turn once connected; Enter and keypad Enter press whichever button
// has the focus, a held key once. Focus in a part that goes grey moves to the connect button.
TEST_F(Form1Test, KeyboardAndFocus) {
    form->activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return form->isActiveWindow(); }))
        << "focus needs an active window";
    Click("Command1");
    QStringList expected(7);
    for (const auto& element : kExpectedElements) {
        if (element.tabPosition > 0) {
            expected[element.tabPosition - 1] = element.name;
        }
    }
    Find("Combo1")->setFocus();
    QStringList visited;
    while (visited.size() < expected.size()) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, expected);
    for (const auto& [button, key, modifier] :
         {std::tuple{"Command2", Qt::Key_Enter, Qt::KeypadModifier},
          {"Command3", Qt::Key_Return, Qt::NoModifier},
          {"Command1", Qt::Key_Enter, Qt::KeypadModifier}}) {
        Find(button)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key, modifier);
    }
    EXPECT_EQ(fake.writes, (std::vector<std::string>{"gsm+ A at+vgr?;+vgt?\r", "gsm+ A at&w\r"}));
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, {}, true);
    QApplication::sendEvent(Find("Command1"), &held);
    EXPECT_EQ(State(), kDisconnected);
    for (const auto& [focused, after] :
         {std::pair{"Slider2", "Command1"}, {"Command3", "Command1"}, {"Text1", "Text1"}}) {
        Click("Command1");
        Find(focused)->setFocus();
        fake.Lose();
        EXPECT_EQ(QApplication::focusWidget(), Find(after)) << focused;
    }
    // A port that cannot be opened, busy or absent, shows the error box and stays disconnected.
    // The caption changes before the port is touched.
    QString captionWhileOpening;
    fake.whileOpening = [&] { captionWhileOpening = Text("Command1"); };
    fake.openSucceeds = false;
    QTest::keyClick(Find("Command1"), Qt::Key_Return);
    EXPECT_EQ(std::exchange(boxes, {}),
              QStringList{"Quellmark|3|1024|Fehler beim Öffnen des Comports!"});
    EXPECT_EQ(State(), kDisconnected);
    EXPECT_EQ(captionWhileOpening, "Trennen");
}

TEST_F(Form1Test, QtsOwnTextsAreGermanWhateverTheLocale) {
    ASSERT_TRUE(InstallGermanQtTexts(*qApp)) << "Qt's translations are not installed";
    const std::unique_ptr<QMenu> menu(Find<QLineEdit>("Text1")->createStandardContextMenu());
    EXPECT_TRUE(menu->actions().at(0)->text().startsWith("&Rückgängig"))
        << menu->actions().at(0)->text().toStdString();
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
    return widget->contentsRect();
}

bool Fits(QWidget* widget, const QString& text) {
    const QRect area = TextArea(widget);
    const int wrap = qobject_cast<WrappingButton*>(widget) ? Qt::TextWordWrap : 0;
    return area.contains(widget->fontMetrics().boundingRect(area, Qt::AlignCenter | wrap, text));
}

// How far two rectangles reach into each other: the thinner side of their intersection.
int Overlap(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : std::min(both.width(), both.height());
}

// At the desktop's font, 9 pt on a plain desktop, and at a large one, as the window gets it from
// the application, the widest values besides the captions show whole and nothing overlaps.
TEST_F(Form1Test, EveryTextShowsWholeAndNothingOverlapsAtAnyFontSize) {
    std::vector<std::pair<const char*, const char*>> texts = {
        {"Command1", "Trennen"}, {"Combo1", "COM 10"}, {"Label1", "-6,5 db"},
        {"Label1", "50,5 db"},   {"Label7", "-22 db"}, {"Label8", "243"}};
    for (const auto& element : kExpectedElements) {
        if (*element.text && !qobject_cast<QGroupBox*>(Find(element.name))) {
            texts.emplace_back(element.name, element.text);
        }
    }
    const QFont original = QApplication::font();
    for (const double points : {9.0, 16.0}) {
        QFont font = original;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        QApplication::processEvents();  // the window hears of the change through the event loop
        for (const auto& [element, text] : texts) {
            Find(element)->setProperty("text", QString::fromUtf8(text));
            EXPECT_TRUE(Fits(Find(element), QString::fromUtf8(text))) << text << " " << points;
        }
        for (const auto& a : kExpectedElements) {
            QWidget* widget = Find(a.name);
            EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << a.name;
            for (const auto& b : kExpectedElements) {
                if (&a < &b && a.parent == b.parent) {
                    EXPECT_LE(Overlap(widget->geometry(), Find(b.name)->geometry()),
                              Overlap(Geometry(a), Geometry(b)))
                        << a.name << " and " << b.name << " " << points;
                }
            }
        }
    }
    QApplication::setFont(original);
}

}  // namespace
}  // namespace quellmark
