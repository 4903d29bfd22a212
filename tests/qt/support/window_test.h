#pragma once

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <memory>
#include <stdexcept>

#include "device_path.h"
#include "form1.h"
#include "open_line.h"

// Failure messages show texts rather than their UTF-16 code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace quellmark::test_support {

// The connect button's caption, then whether the controls that need a connection are enabled.
inline const QString kDisconnected = "Verbinden 0000";

// Runs the event loop until `condition` holds, for 10 s at most: generous for a loaded machine.
inline bool WaitUntil(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 10000);
}

// The window on `port` (the real serial port unless the test gives another), shown and driven as
// a user drives it. Every message box is answered with OK as soon as it shows, also inside the
// window's own nested event loop; one the test did not take fails it.
class WindowTest : public ::testing::Test {
protected:
    explicit WindowTest(SerialPort* port = NumberedSystemPort().release())
        : port(port),
          form(std::make_unique<Form1>(std::unique_ptr<SerialPort>(port), DescribeAllPorts)) {
        form->show();
        QObject::connect(&boxTimer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << QStringList{box->windowTitle(), QString::number(box->icon()),
                                     QString::number(box->standardButtons().toInt()), box->text()}
                             .join('|');
                box->button(QMessageBox::Ok)->click();
            }
        });
        boxTimer.start(2);
    }
    // The window goes first, so that its port closes while the test's device is still there.
    void TearDown() override {
        EXPECT_EQ(boxes, QStringList());
        form.reset();
    }

    template <typename W = QWidget>
    W* Find(const char* name) const {
        W* widget = form->findChild<W*>(name);
        return widget ? widget : throw std::runtime_error(std::string("no widget ") + name);
    }
    void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }
    void Press(const char* name, Qt::Key key) { QTest::keyClick(Find(name), key); }
    // What the element shows as its text: a frame's title, a list's selected entry.
    QString Text(const char* name) const {
        if (const auto* frame = qobject_cast<const QGroupBox*>(Find(name))) {
            return frame->title();
        }
        if (const auto* list = qobject_cast<const QComboBox*>(Find(name))) {
            return list->currentText();
        }
        return Find(name)->property("text").toString();
    }
    int Position(const char* slider) const { return Find<QSlider>(slider)->value(); }
    QString State() const {
        QString state = Text("Command1") + ' ';
        for (const char* name : {"Command2", "Command3", "Frame2", "Frame3"}) {
            state += Find(name)->isEnabled() ? '1' : '0';
        }
        return state;
    }

    SerialPort* port;  // owned by the window
    std::unique_ptr<Form1> form;
    QTimer boxTimer;
    QStringList boxes;  // each box shown: title|icon|buttons|text
};

}  // namespace quellmark::test_support
