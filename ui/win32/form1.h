#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "accessible_texts.h"
#include "element_table.h"
#include "gain_controller.h"
#include "gain_trackbar.h"
#include "gain_view.h"
#include "port_list.h"
#include "port_tooltips.h"
#include "serial_port.h"
#include "window_metrics.h"

namespace quellmark {

// The program's one window, built from standard controls. It shows what the controller tells it
// and hands the user's actions to the controller; the logic lives in GainController.
class Form1 final : public GainView {
public:
    // Creates the window, hidden, in its start-up state. `describePorts` tells what each port in
    // the list leads to, asked whenever the list opens.
    Form1(std::unique_ptr<SerialPort> port, PortDescriber describePorts);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1() override;

    // The top-level window; null once it has been closed.
    HWND Handle() const { return window_; }

    void SetText(Element element, const std::string& text) override;
    std::string GetText(Element element) const override;
    void SetEnabled(Element element, bool enabled) override;
    int GetPosition(Slider slider) const override;
    void SetPosition(Slider slider, int position) override;
    void AddListEntry(const std::string& text) override;
    int GetListIndex() const override;
    void SetListIndex(int index) override;
    void ShowError(const std::string& text) override;

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void CreateElements();
    void SetIcons();
    void FitToDpi(UINT dpi, const RECT& frame);
    void LayOutElements();
    void FitComboHeight();
    void NameForScreenReaders();
    void DescribeSliders();

    void OnCommand(int id, int code);
    void RunHandler(void (GainController::*handler)());
    void OnVScroll(HWND trackbar, int code);
    LRESULT OnNotify(const NMHDR& header);
    void OnActivate(bool active);
    LRESULT OnGetDefId() const;

    HWND Control(win32::ControlId id) const;
    win32::GainTrackbar& Trackbar(Slider slider);
    const win32::GainTrackbar& Trackbar(Slider slider) const;

    HWND window_ = nullptr;
    UINT dpi_ = win32::kDesignDpi;
    win32::FontHandle font_;
    win32::IconHandle bigIcon_;
    win32::IconHandle smallIcon_;
    HWND lastFocus_ = nullptr;
    win32::GainTrackbar slider1_;
    win32::GainTrackbar slider2_;
    win32::PortTooltips portTooltips_;
    win32::AccessibleTexts accessibleTexts_;
    // Destroyed as the window is, before its controls go: closing the port may still reach them.
    std::unique_ptr<GainController> controller_;
    bool inHandler_ = false;
    bool closeDeferred_ = false;
};

}  // namespace quellmark
