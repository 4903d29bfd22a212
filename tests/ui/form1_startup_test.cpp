#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QStringList>
#include <QTest>

#include "element_names.h"
#include "form1_fixture.h"

namespace quellmark::testing {
namespace {

struct Placement {
    const char* name;
    const char* parent;  // nullptr: the window itself
    QRect geometry;
};

const Placement kPlacements[] = {
    {"Frame1", nullptr, {8, 8, 129, 105}},     {"Combo1", "Frame1", {8, 16, 113, 21}},
    {"Label9", "Frame1", {8, 40, 81, 19}},     {"Text1", "Frame1", {88, 40, 33, 19}},
    {"Command1", "Frame1", {8, 64, 113, 33}},  {"Command2", nullptr, {16, 120, 113, 33}},
    {"Command3", nullptr, {16, 160, 113, 33}}, {"Frame2", nullptr, {144, 8, 177, 473}},
    {"Slider1", "Frame2", {8, 16, 41, 449}},   {"Label3", "Frame2", {48, 424, 49, 17}},
    {"Label1", "Frame2", {96, 424, 73, 17}},   {"Label4", "Frame2", {48, 440, 49, 17}},
    {"Label2", "Frame2", {96, 440, 73, 17}},   {"Frame3", nullptr, {328, 8, 177, 473}},
    {"Slider2", "Frame3", {8, 16, 41, 449}},   {"Label6", "Frame3", {48, 424, 49, 17}},
    {"Label7", "Frame3", {96, 424, 73, 17}},   {"Label5", "Frame3", {48, 440, 49, 17}},
    {"Label8", "Frame3", {96, 440, 73, 17}},
};

TEST_F(Form1Test, WindowAndElementsHaveTheirPlaceAndSize) {
    EXPECT_EQ(Window().windowTitle(), "Quellmark");
    EXPECT_EQ(Window().minimumSize(), QSize(514, 491));
    EXPECT_EQ(Window().maximumSize(), QSize(514, 491));
    for (const auto& [name, parent, geometry] : kPlacements) {
        SCOPED_TRACE(name);
        const QWidget* widget = Find(name);
        EXPECT_EQ(widget->parentWidget(), parent ? Find(parent) : &Window());
        EXPECT_EQ(widget->geometry(), geometry);
    }
}

TEST_F(Form1Test, StartsDisconnectedWithTheDefaultTexts) {
    const std::pair<const char*, QString> texts[] = {
        {"Frame1", "Schnittstelle"},
        {"Label9", "Kanal Nr."},
        {"Text1", "A"},
        {"Command1", "Verbinden"},
        {"Command2", "Aktuelle Werte auslesen"},
        {"Command3", "Einstellungen Speichern"},
        {"Frame2", "TX Gain"},
        {"Label3", "Gain : "},
        {"Label4", "Value : "},
        {"Label2", "243"},
        {"Frame3", "RX Gain"},
        {"Label6", "Gain : "},
        {"Label7", "0 db"},
        {"Label5", "Value : "},
        {"Label8", "48"},
    };
    for (const auto& [name, text] : texts) {
        EXPECT_EQ(Text(name), text) << name;
    }
    for (const char* name : {"Combo1", "Text1", "Command1"}) {
        EXPECT_TRUE(Enabled(name)) << name;
    }
    EXPECT_TRUE(ShowsConnected(false));
    EXPECT_EQ(Position("Slider1"), 0);
    EXPECT_EQ(Position("Slider2"), 0);
    EXPECT_FALSE(port_->open);
    EXPECT_TRUE(port_->writes.empty());
}

TEST_F(Form1Test, OffersTenPortsWithTheFirstSelected) {
    const auto* combo = Find<QComboBox>("Combo1");
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) {
        entries << combo->itemText(i);
    }
    EXPECT_EQ(entries, QStringList({"COM 1", "COM 2", "COM 3", "COM 4", "COM 5", "COM 6", "COM 7",
                                    "COM 8", "COM 9", "COM 10"}));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_FALSE(combo->isEditable());
}

// The captions wrap on screen, but what is read out and read back is the caption itself.
TEST_F(Form1Test, WrappedCaptionsStayWhole) {
    for (const Element element : {Element::Command2, Element::Command3}) {
        const char* name = NameOf(element).c_str();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Find(name));
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), Window().GetText(element));
        EXPECT_EQ(QString::fromStdString(Window().GetText(element)), Text(name));
    }
}

// A wrong row here would have the controller write into or read from the wrong widget.
TEST_F(Form1Test, EachElementReachesItsOwnWidget) {
    for (const auto& [element, name] : kElementNames) {
        SCOPED_TRACE(name);
        const std::string text = "Größe " + name;
        Window().SetText(element, text);
        EXPECT_EQ(Text(name.c_str()), QString::fromUtf8(text.c_str()));
        EXPECT_EQ(Window().GetText(element), text);
        // The labels sit in frames that may themselves be disabled.
        const QWidget* widget = Find(name.c_str());
        Window().SetEnabled(element, true);
        EXPECT_TRUE(widget->isEnabledTo(widget->parentWidget()));
        Window().SetEnabled(element, false);
        EXPECT_FALSE(widget->isEnabledTo(widget->parentWidget()));
    }
}

TEST_F(Form1Test, TabVisitsTheControlsInOrderOnceConnected) {
    Click("Command1");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    Find("Combo1")->setFocus();
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, QStringList({"Combo1", "Command1", "Slider1", "Slider2", "Text1", "Command2",
                                    "Command3", "Combo1"}));
}

}  // namespace
}  // namespace quellmark::testing
