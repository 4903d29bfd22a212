#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <ostream>
#include <utility>
#include <vector>

namespace quellmark::test_support {

// What a message box showed the user.
struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;

    bool operator==(const ShownBox&) const = default;
};

void PrintTo(const ShownBox& box, std::ostream* out);

// Answers every modal window as soon as it shows, with OK where it has one, and keeps what it
// showed, so that a test goes on where a user would have had to press a button. Works inside the
// window's own nested event loop.
class MessageBoxDismisser {
public:
    MessageBoxDismisser();

    // The boxes answered since the last call.
    std::vector<ShownBox> Take() { return std::exchange(shown_, {}); }

private:
    void DismissActiveModal();

    QTimer timer_;
    std::vector<ShownBox> shown_;
};

}  // namespace quellmark::test_support
