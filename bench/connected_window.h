#pragma once

#include <QAbstractButton>
#include <QSlider>
#include <string>

#include "form1.h"

namespace quellmark::bench {

// The program's window on the real serial port, shown and connected through COM 1 to the given
// device, as a user would have it after pressing "Verbinden".
class ConnectedWindow {
public:
    explicit ConnectedWindow(const std::string& device);
    ConnectedWindow(const ConnectedWindow&) = delete;
    ConnectedWindow& operator=(const ConnectedWindow&) = delete;

    bool Connected() const;
    QSlider* TxSlider() const;
    QAbstractButton* Button(const char* name) const;

private:
    Form1 form_;
};

// Selects the offscreen platform unless the caller chose one.
void DefaultToOffscreen();

}  // namespace quellmark::bench
