#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>

#include "fake_serial_port.h"
#include "form1.h"

namespace quellmark::testing {
namespace {

// TX position 0 is -6.5 dB, written with the decimal separator of the user's locale.
QString TxGainShownAtStartup() {
    Form1 form(std::make_unique<FakeSerialPort>());
    return form.findChild<QLabel*>(QStringLiteral("Label1"))->text();
}

TEST(Form1Locale, GermanWritesADecimalComma) {
    ASSERT_EQ(QLocale::system().language(), QLocale::German) << "run with LANG=de_DE.UTF-8";
    EXPECT_EQ(TxGainShownAtStartup(), "-6,5 db");
}

TEST(Form1Locale, CWritesADecimalPoint) {
    ASSERT_EQ(QLocale::system().name(), "C") << "run with LANG=C";
    EXPECT_EQ(TxGainShownAtStartup(), "-6.5 db");
}

}  // namespace
}  // namespace quellmark::testing
