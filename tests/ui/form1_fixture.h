#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <memory>

#include "fake_serial_port.h"
#include "form1.h"

namespace quellmark::testing {

// A shown window on a fake port that the test can still reach.
class Form1Test : public ::testing::Test {
protected:
    Form1Test() : port_(new FakeSerialPort), form_(std::unique_ptr<SerialPort>(port_)) {
        form_.show();
    }

    template <typename W = QWidget>
    W* Find(const char* name) {
        auto* widget = form_.findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            ADD_FAILURE() << "no " << name;
        }
        return widget;
    }

    // The text the user sees on a widget, whatever its kind.
    static QString TextOf(const QWidget* widget) {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            return label->text();
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            return button->text();
        }
        if (const auto* field = qobject_cast<const QLineEdit*>(widget)) {
            return field->text();
        }
        return qobject_cast<const QGroupBox*>(widget)->title();
    }

    void ClickConnect() { QTest::mouseClick(Find<QAbstractButton>("Command1"), Qt::LeftButton); }

    FakeSerialPort* port_;  // owned by form_
    Form1 form_;
};

}  // namespace quellmark::testing
