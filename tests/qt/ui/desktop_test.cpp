#include "device_path.h"
#include "fake_serial_port.h"
#include "german_qt_texts.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

struct DesktopTest : WindowTest {
    DesktopTest() : WindowTest(new testing::FakeSerialPort) {}

    // Focus needs an active window.
    void Activate() {
        form->activateWindow();
        ASSERT_TRUE(WaitUntil([&] { return form->isActiveWindow(); }));
    }
    QString Accessible(const char* name, QAccessible::Text text) const {
        return QAccessible::queryAccessibleInterface(Find(name))->text(text);
    }

    testing::FakeSerialPort& fake = static_cast<testing::FakeSerialPort&>(*port);
};

TEST_F(DesktopTest, ScreenReadersHearEachControlsNameAndWhatTheGainPanelsShow) {
    QAccessible::setActive(true);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.get())->text(QAccessible::Name),
              "Quellmark");
    EXPECT_EQ(Accessible("Text1", QAccessible::Name), "Kanal Nr.");
    EXPECT_EQ(Accessible("Slider1", QAccessible::Name), "TX Gain");
    EXPECT_EQ(Accessible("Slider2", QAccessible::Name), "RX Gain");

    // Each step changes what a panel shows (its device value, then the gain text beside it).
    const struct {
        std::function<void()> step;
        const char *txValue, *rxValue;
    } steps[] = {
        {[] {}, "243", "48"},
        {[&] { Click("Command1"); }, "243", "48"},
        {[&] { fake.Receive("gsm+ A at+vgr?;+vgt?+VGT: 100\r\n"); }, "100", "48"},
        {[&] { fake.Receive("gsm+ A at+vgr?;+vgt?+VGR: 96\r\n"); }, "100", "96"},
        {[&] { Press("Slider2", Qt::Key_Down); }, "100", "96"},  // odd: only the gain text
        {[&] { Press("Slider1", Qt::Key_PageUp); }, "95", "96"},
    };
    for (const auto& [step, txValue, rxValue] : steps) {
        step();
        SCOPED_TRACE((Text("Label1") + " " + Text("Label7")).toStdString());
        ASSERT_EQ(Text("Label2"), txValue);
        ASSERT_EQ(Text("Label8"), rxValue);
        EXPECT_EQ(Accessible("Slider1", QAccessible::Description),
                  "Gain " + Text("Label1") + ", Value " + txValue);
        EXPECT_EQ(Accessible("Slider2", QAccessible::Description),
                  "Gain " + Text("Label7") + ", Value " + rxValue);
    }
}

// Each key goes to whichever button has the focus; a held key presses once.
TEST_F(DesktopTest, EnterAndKeypadEnterPressTheFocusedButtonAsSpaceDoes) {
    Activate();
    const struct {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {
        {"Space", Qt::Key_Space, Qt::NoModifier},
        {"Enter", Qt::Key_Return, Qt::NoModifier},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier},
    };
    for (const auto& [name, key, modifiers] : keys) {
        SCOPED_TRACE(name);
        const auto press = [&](const char* button) {
            Find(button)->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), Find(button));
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        fake.writes.clear();
        press("Command1");
        EXPECT_EQ(State(), kConnected);
        press("Command2");
        press("Command3");
        EXPECT_EQ(fake.writes,
                  (std::vector<std::string>{"gsm+ A at+vgr?;+vgt?\r", "gsm+ A at&w\r"}));
        press("Command1");
        EXPECT_EQ(State(), kDisconnected);
    }
    Find("Command1")->setFocus();
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, {}, true);
    QApplication::sendEvent(Find("Command1"), &held);
    EXPECT_EQ(State(), kDisconnected);
}

// A lost device greys the parts that need a connection; focus in one of them goes to the connect
// button, elsewhere it stays.
TEST_F(DesktopTest, FocusInAPartThatGoesGreyMovesToTheConnectButton) {
    Activate();
    const struct {
        const char *focused, *after;
    } cases[] = {
        {"Slider1", "Command1"},  {"Slider2", "Command1"}, {"Command2", "Command1"},
        {"Command3", "Command1"}, {"Text1", "Text1"},      {"Combo1", "Combo1"},
    };
    for (const auto& [focused, after] : cases) {
        SCOPED_TRACE(focused);
        Click("Command1");
        ASSERT_EQ(State(), kConnected);
        Find(focused)->setFocus();
        fake.Lose();
        ASSERT_EQ(State(), kDisconnected);
        EXPECT_EQ(QApplication::focusWidget(), Find(after));
    }
}

TEST_F(DesktopTest, QtsOwnTextsAreGermanWhateverTheLocale) {
    ASSERT_TRUE(InstallGermanQtTexts(*qApp)) << "Qt's translations are not installed";
    const std::unique_ptr<QMenu> menu(Find<QLineEdit>("Text1")->createStandardContextMenu());
    EXPECT_TRUE(menu->actions().at(0)->text().startsWith("&Rückgängig"))
        << menu->actions().at(0)->text().toStdString();
}

// The program's icon, built in: the window needs nothing installed to show it.
TEST_F(DesktopTest, WindowShowsTheProgramsIcon) {
    const QIcon icon = form->windowIcon();
    for (const int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        const QImage image = icon.pixmap(size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        // Its dark blue ground, beside the sliders drawn on it.
        EXPECT_EQ(image.pixelColor(size / 2, size / 8), QColor(0x2d, 0x4f, 0x6c));
    }
}

// Looked up when the list opens: a device named after the window started shows too.
TEST_F(DesktopTest, EachPortShowsItsDeviceAsTooltipWhenTheListOpens) {
    const char* variable = "QUELLMARK_COM3";
    qputenv(variable, "/tmp/quellmark-tooltip-test");
    auto* combo = Find<QComboBox>("Combo1");
    combo->showPopup();
    const QStringList descriptions = DescribeAllPorts();
    ASSERT_EQ(descriptions.size(), combo->count());
    for (int i = 0; i < combo->count(); ++i) {
        EXPECT_EQ(combo->itemData(i, Qt::ToolTipRole).toString(), descriptions[i]);
    }
    qunsetenv(variable);
    EXPECT_TRUE(combo->itemData(2, Qt::ToolTipRole).toString().contains("quellmark-tooltip-test"));
    combo->hidePopup();
}

}  // namespace
}  // namespace quellmark
