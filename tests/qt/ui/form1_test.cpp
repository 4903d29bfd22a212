#include <map>
#include <ranges>

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

struct Form1Test : WindowTest {
    Form1Test() : WindowTest(new testing::FakeSerialPort) {}
    // Focus needs an active window.
    void Activate() {
        form->activateWindow();
        ASSERT_TRUE(WaitUntil([&] { return form->isActiveWindow(); }));
    }
    QString Accessible(QObject* object, QAccessible::Text text) const {
        return QAccessible::queryAccessibleInterface(object)->text(text);
    }
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
        if (element.namedBy) {
            EXPECT_EQ(Accessible(Find(element.name), QAccessible::Name), Text(element.namedBy));
        }
    }
    auto* combo = Find<QComboBox>("Combo1");
    EXPECT_EQ(combo->count(), 10);
    EXPECT_EQ(combo->itemText(9), "COM 10");
    // Looked up when the list opens: a device named after the window started shows too.
    const PortDevice device(3, "/tmp/modem");
    combo->showPopup();
    EXPECT_EQ(combo->itemData(2, Qt::ToolTipRole).toString(), "/tmp/modem (QUELLMARK_COM3)");
    combo->hidePopup();
    // Built in: the window needs nothing installed to show it. Its dark blue ground.
    EXPECT_EQ(form->windowIcon().pixmap(32).toImage().pixelColor(16, 4), QColor(0x2d, 0x4f, 0x6c));
    EXPECT_TRUE(fake.writes.empty());
}

// Once connected every control takes the focus in turn.
TEST_F(Form1Test, TabVisitsTheControlsInOrder) {
    Activate();
    Click("Command1");
    std::map<int, QString> expected;
    for (const auto& element : kExpectedElements) {
        if (element.tabPosition > 0) {
            expected[element.tabPosition] = element.name;
        }
    }
    Find("Combo1")->setFocus();
    QStringList visited;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, QStringList(std::views::values(expected).begin(),
                                   std::views::values(expected).end()));
}

// Moving the thumb down raises the gain; each move writes the value then shown, once: a drag on
// release only.
TEST_F(Form1Test, EachUserMoveWritesOneSetCommandWithTheValueShown) {
    Click("Command1");
    auto* slider = Find<QSlider>("Slider1");
    QTest::mousePress(slider, Qt::LeftButton, {}, {20, 10});
    QTest::mouseMove(slider, {20, 150});
    QTest::mouseMove(slider, {20, 250});
    QTest::mouseRelease(slider, Qt::LeftButton, {}, {20, 250});
    EXPECT_EQ(fake.writes, std::vector<std::string>{"gsm+ A at+vgt=51\r"});
    for (const auto& [name, key, label, command] :
         {std::tuple{"Slider1", Qt::Key_Down, "Label2", "gsm+ A at+vgt="},
          {"Slider2", Qt::Key_PageUp, "Label8", "gsm+ A at+vgr="}}) {
        fake.writes.clear();
        Press(name, key);
        EXPECT_EQ(fake.writes, std::vector{command + Text(label).toStdString() + "\r"}) << name;
    }
}

TEST_F(Form1Test, ReplyMovesItsSliderSilentlyAndScreenReadersHearNamesAndValues) {
    QAccessible::setActive(true);
    EXPECT_EQ(Accessible(form.get(), QAccessible::Name), "Quellmark");
    // A reply moves its slider without writing back (the modem echoes the query, so the tag starts
    // in column 21); an odd RX step changes only RX's gain. The panels say so.
    Click("Command1");
    fake.Receive("gsm+ A at+vgr?;+vgt?+VGT: 100\r\n");
    EXPECT_EQ(Position("Slider1"), 113);
    EXPECT_TRUE(fake.writes.empty());
    Press("Slider2", Qt::Key_Down);
    EXPECT_EQ(Accessible(Find("Slider1"), QAccessible::Description), "Gain 50 db, Value 100");
    EXPECT_EQ(Accessible(Find("Slider2"), QAccessible::Description), "Gain 1 db, Value 48");
}

// Enter and keypad Enter go to whichever button has the focus; a held key presses once.
TEST_F(Form1Test, EnterPressesTheFocusedButton) {
    Activate();
    for (const auto& [button, key, modifier] :
         {std::tuple{"Command1", Qt::Key_Return, Qt::NoModifier},
          {"Command2", Qt::Key_Enter, Qt::KeypadModifier},
          {"Command3", Qt::Key_Return, Qt::NoModifier},
          {"Command1", Qt::Key_Enter, Qt::KeypadModifier}}) {
        Find(button)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key, modifier);
    }
    EXPECT_EQ(fake.writes, (std::vector<std::string>{"gsm+ A at+vgr?;+vgt?\r", "gsm+ A at&w\r"}));
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, {}, true);
    QApplication::sendEvent(Find("Command1"), &held);
    EXPECT_EQ(State(), kDisconnected);
    // A port that cannot be opened, busy or absent, shows the error box and stays disconnected.
    fake.openSucceeds = false;
    QTest::keyClick(Find("Command1"), Qt::Key_Return);
    EXPECT_EQ(std::exchange(boxes, {}),
              QStringList{"Quellmark|3|1024|Fehler beim Öffnen des Comports!"});
    EXPECT_EQ(State(), kDisconnected);
}

// The darkest pixel of what `widget` draws, as lightness from 0 (black) to 255.
int Darkest(QWidget* widget) {
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        darkest = std::min<int>(darkest, *std::min_element(line, line + image.width()));
    }
    return darkest;
}

// The buttons draw their own wrapping captions: greyed, the caption is grey, not black.
TEST_F(Form1Test, GreyedButtonsDrawTheirCaptionsGrey) {
    for (const char* name : {"Command2", "Command3"}) {
        const int greyed = Darkest(Find(name));
        Find(name)->setEnabled(true);
        EXPECT_GT(greyed, Darkest(Find(name)) + 64) << name;
    }
}

// A lost device greys the parts that need a connection; focus in one of them goes to the connect
// button, elsewhere it stays.
TEST_F(Form1Test, FocusInAPartThatGoesGreyMovesToTheConnectButton) {
    Activate();
    for (const auto& [focused, after] :
         {std::pair{"Slider2", "Command1"}, {"Command3", "Command1"}, {"Text1", "Text1"}}) {
        Click("Command1");
        Find(focused)->setFocus();
        fake.Lose();
        EXPECT_EQ(QApplication::focusWidget(), Find(after)) << focused;
    }
}

TEST_F(Form1Test, QtsOwnTextsAreGermanWhateverTheLocale) {
    ASSERT_TRUE(InstallGermanQtTexts(*qApp)) << "Qt's translations are not installed";
    const std::unique_ptr<QMenu> menu(Find<QLineEdit>("Text1")->createStandardContextMenu());
    EXPECT_TRUE(menu->actions().at(0)->text().startsWith("&Rückgängig"))
        << menu->actions().at(0)->text().toStdString();
}

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
struct FontFitTest : Form1Test, ::testing::WithParamInterface<double> {
    FontFitTest() {
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
    std::vector texts(std::begin(kWidestValues), std::end(kWidestValues));
    for (const auto& element : kExpectedElements) {
        if (*element.text && !qobject_cast<QGroupBox*>(Find(element.name))) {
            texts.emplace_back(element.name, element.text);
        }
    }
    for (const auto& [element, text] : texts) {
        Find(element)->setProperty("text", QString::fromUtf8(text));
        EXPECT_TRUE(Fits(Find(element), QString::fromUtf8(text))) << element;
    }
    for (const auto& a : kExpectedElements) {
        QWidget* widget = Find(a.name);
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << a.name;
        for (const auto& b : kExpectedElements) {
            if (&a < &b && a.parent == b.parent) {
                EXPECT_LE(Overlap(widget->geometry(), Find(b.name)->geometry()),
                          Overlap(Geometry(a), Geometry(b)))
                    << a.name << " and " << b.name;
            }
        }
    }
}

// 9 pt is the reference: what the window gets on a plain desktop.
INSTANTIATE_TEST_SUITE_P(PointSizes, FontFitTest, ::testing::Values(9.0, 16.0));

}  // namespace
}  // namespace quellmark
