#include "fake_serial_port.h"
#include "german_qt_texts.h"
#include "port_device.h"
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
    QString Accessible(QObject* object, QAccessible::Text text) const {
        return QAccessible::queryAccessibleInterface(object)->text(text);
    }

    testing::FakeSerialPort& fake = static_cast<testing::FakeSerialPort&>(*port);
};

TEST_F(DesktopTest, ScreenReadersHearEachControlsNameAndWhatTheGainPanelsShow) {
    QAccessible::setActive(true);
    EXPECT_EQ(Accessible(form.get(), QAccessible::Name), "Quellmark");
    EXPECT_EQ(Accessible(Find("Text1"), QAccessible::Name), "Kanal Nr.");
    EXPECT_EQ(Accessible(Find("Slider1"), QAccessible::Name), "TX Gain");
    EXPECT_EQ(Accessible(Find("Slider2"), QAccessible::Name), "RX Gain");
    const auto describesThePanels = [&] {
        for (const auto& [slider, gain, value] :
             {std::tuple{"Slider1", "Label1", "Label2"}, {"Slider2", "Label7", "Label8"}}) {
            EXPECT_EQ(Accessible(Find(slider), QAccessible::Description),
                      "Gain " + Text(gain) + ", Value " + Text(value));
        }
    };
    describesThePanels();
    // A reply changes TX's device value, an odd RX step only RX's gain.
    Click("Command1");
    fake.Receive("gsm+ A at+vgr?;+vgt?+VGT: 100\r\n");
    Press("Slider2", Qt::Key_Down);
    EXPECT_EQ(Text("Label2") + ' ' + Text("Label7") + ' ' + Text("Label8"), "100 1 db 48");
    describesThePanels();
}

// Each key goes to whichever button has the focus; a held key presses once.
TEST_F(DesktopTest, EnterAndKeypadEnterPressTheFocusedButton) {
    Activate();
    for (const auto modifiers : {Qt::NoModifier, Qt::KeypadModifier}) {
        const Qt::Key key = modifiers == Qt::NoModifier ? Qt::Key_Return : Qt::Key_Enter;
        SCOPED_TRACE(key);
        const auto press = [&](const char* button) {
            Find(button)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        fake.writes.clear();
        for (const char* button : {"Command1", "Command2", "Command3", "Command1"}) {
            press(button);
        }
        EXPECT_EQ(fake.writes,
                  (std::vector<std::string>{"gsm+ A at+vgr?;+vgt?\r", "gsm+ A at&w\r"}));
        EXPECT_EQ(State(), kDisconnected);
    }
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, {}, true);
    QApplication::sendEvent(Find("Command1"), &held);
    EXPECT_EQ(State(), kDisconnected);
}

// A lost device greys the parts that need a connection; focus in one of them goes to the connect
// button, elsewhere it stays.
TEST_F(DesktopTest, FocusInAPartThatGoesGreyMovesToTheConnectButton) {
    Activate();
    const std::pair<const char*, const char*> cases[] = {
        {"Slider1", "Command1"},  {"Slider2", "Command1"}, {"Command2", "Command1"},
        {"Command3", "Command1"}, {"Text1", "Text1"},      {"Combo1", "Combo1"},
    };
    for (const auto& [focused, after] : cases) {
        SCOPED_TRACE(focused);
        Click("Command1");
        Find(focused)->setFocus();
        fake.Lose();
        EXPECT_EQ(QApplication::focusWidget(), Find(after));
    }
}

TEST_F(DesktopTest, QtsOwnTextsAreGermanWhateverTheLocale) {
    ASSERT_TRUE(InstallGermanQtTexts(*qApp)) << "Qt's translations are not installed";
    const std::unique_ptr<QMenu> menu(Find<QLineEdit>("Text1")->createStandardContextMenu());
    EXPECT_TRUE(menu->actions().at(0)->text().startsWith("&Rückgängig"))
        << menu->actions().at(0)->text().toStdString();
}

// Built in: the window needs nothing installed to show it. Its dark blue ground at every size.
TEST_F(DesktopTest, WindowShowsTheProgramsIcon) {
    for (const int size : {16, 32, 48, 256}) {
        const QImage image = form->windowIcon().pixmap(size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(image.pixelColor(size / 2, size / 8), QColor(0x2d, 0x4f, 0x6c)) << size;
    }
}

// Looked up when the list opens: a device named after the window started shows too.
TEST_F(DesktopTest, EachPortShowsItsDeviceAsTooltipWhenTheListOpens) {
    const PortDevice device(3, "/tmp/modem");
    auto* combo = Find<QComboBox>("Combo1");
    combo->showPopup();
    EXPECT_EQ(combo->itemData(2, Qt::ToolTipRole).toString(), "/tmp/modem (QUELLMARK_COM3)");
    combo->hidePopup();
}

}  // namespace
}  // namespace quellmark
