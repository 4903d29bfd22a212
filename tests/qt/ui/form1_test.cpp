#include "element_table.h"
#include "fake_serial_port.h"
#include "german_qt_texts.h"
#include "port_device.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

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

TEST_F(Form1Test, StartsAsShown) {
    EXPECT_EQ(form->windowTitle(), "Quellmark");
    EXPECT_EQ(form->minimumSize(), kTableSize);
    EXPECT_EQ(form->maximumSize(), kTableSize);
    for (const auto& [name, parent, geometry, text, enabled] : kElements) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Find(name)->parentWidget(), parent ? Find(parent) : form.get());
        EXPECT_EQ(Find(name)->geometry(), geometry);
        EXPECT_EQ(Find(name)->isEnabled(), enabled);
        if (text != nullptr) {
            EXPECT_EQ(Text(name), text);
        }
    }
    const auto* combo = Find<QComboBox>("Combo1");
    EXPECT_EQ(combo->count(), 10);
    EXPECT_EQ(combo->itemText(9), "COM 10");
    EXPECT_TRUE(fake.writes.empty());
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
          {"Slider2", Qt::Key_PageUp, "Label8", "gsm+ A at+vgr="},
          {"Slider2", Qt::Key_Down, "Label8", "gsm+ A at+vgr="}}) {
        fake.writes.clear();
        Press(name, key);
        EXPECT_EQ(fake.writes, std::vector{command + Text(label).toStdString() + "\r"}) << name;
    }
    EXPECT_EQ(std::pair(Position("Slider1"), Position("Slider2")), std::pair(65, -4));
}

// The modem echoes the query, so the tag starts in column 21.
TEST_F(Form1Test, ReplyMovesTheSliderWithoutWritingBack) {
    Click("Command1");
    fake.Receive("gsm+ A at+vgr?;+vgt?+VGT: 100\r\n");
    fake.Receive("gsm+ A at+vgr?;+vgt?+VGR: 96\r\n");
    EXPECT_EQ(Position("Slider1"), 113);
    EXPECT_EQ(Position("Slider2"), -6);
    EXPECT_EQ(Text("Label2") + ' ' + Text("Label8"), "100 96");
    EXPECT_TRUE(fake.writes.empty());
}

TEST_F(Form1Test, ScreenReadersHearEachControlsNameAndWhatTheGainPanelsShow) {
    QAccessible::setActive(true);
    EXPECT_EQ(Accessible(form.get(), QAccessible::Name), "Quellmark");
    EXPECT_EQ(Accessible(Find("Text1"), QAccessible::Name), "Kanal Nr.");
    EXPECT_EQ(Accessible(Find("Slider1"), QAccessible::Name), "TX Gain");
    EXPECT_EQ(Accessible(Find("Slider2"), QAccessible::Name), "RX Gain");
    // A reply changes TX's device value, an odd RX step only RX's gain; the panels say so.
    Click("Command1");
    fake.Receive("gsm+ A at+vgr?;+vgt?+VGT: 100\r\n");
    Press("Slider2", Qt::Key_Down);
    EXPECT_EQ(Accessible(Find("Slider1"), QAccessible::Description), "Gain 50 db, Value 100");
    EXPECT_EQ(Accessible(Find("Slider2"), QAccessible::Description), "Gain 1 db, Value 48");
}

// Enter goes to whichever button has the focus; a held key presses once.
TEST_F(Form1Test, EnterPressesTheFocusedButton) {
    Activate();
    for (const char* button : {"Command1", "Command2", "Command3", "Command1"}) {
        Find(button)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(fake.writes, (std::vector<std::string>{"gsm+ A at+vgr?;+vgt?\r", "gsm+ A at&w\r"}));
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, {}, true);
    QApplication::sendEvent(Find("Command1"), &held);
    EXPECT_EQ(State(), kDisconnected);
}

// A lost device greys the parts that need a connection; focus in one of them goes to the connect
// button, elsewhere it stays.
TEST_F(Form1Test, FocusInAPartThatGoesGreyMovesToTheConnectButton) {
    Activate();
    for (const auto& [focused, after] :
         {std::pair{"Slider2", "Command1"}, {"Command3", "Command1"}, {"Text1", "Text1"}}) {
        SCOPED_TRACE(focused);
        Click("Command1");
        Find(focused)->setFocus();
        fake.Lose();
        EXPECT_EQ(QApplication::focusWidget(), Find(after));
    }
}

TEST_F(Form1Test, QtsOwnTextsAreGermanWhateverTheLocale) {
    ASSERT_TRUE(InstallGermanQtTexts(*qApp)) << "Qt's translations are not installed";
    const std::unique_ptr<QMenu> menu(Find<QLineEdit>("Text1")->createStandardContextMenu());
    EXPECT_TRUE(menu->actions().at(0)->text().startsWith("&Rückgängig"))
        << menu->actions().at(0)->text().toStdString();
}

// Built in: the window needs nothing installed to show it. Its dark blue ground.
TEST_F(Form1Test, WindowShowsTheProgramsIcon) {
    const QImage image = form->windowIcon().pixmap(32).toImage();
    EXPECT_EQ(image.pixelColor(16, 4), QColor(0x2d, 0x4f, 0x6c));
}

// Looked up when the list opens: a device named after the window started shows too.
TEST_F(Form1Test, EachPortShowsItsDeviceAsTooltipWhenTheListOpens) {
    const PortDevice device(3, "/tmp/modem");
    auto* combo = Find<QComboBox>("Combo1");
    combo->showPopup();
    EXPECT_EQ(combo->itemData(2, Qt::ToolTipRole).toString(), "/tmp/modem (QUELLMARK_COM3)");
    combo->hidePopup();
}

}  // namespace
}  // namespace quellmark
