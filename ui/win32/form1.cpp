#include "form1.h"

#include <commctrl.h>

#include <system_error>
#include <tuple>
#include <utility>

#include "port_list.h"
#include "resource_ids.h"
#include "text_conversion.h"
#include "user_locale.h"
#include "window_procedure.h"
#include "wrapping_button.h"

namespace quellmark {

using win32::ControlId;

namespace {

constexpr wchar_t kClassName[] = L"QuellmarkForm1";
// Fixed size: no maximising, no resizing border.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr SIZE kClientSize{kWindowWidth, kWindowHeight};

// The program's icon (IDI_QUELLMARK) drawn for `dpi`'s size of `metric`, SM_CXICON or
// SM_CXSMICON; null in a module without it. Not shared: a shared icon keeps the size it was first
// loaded at.
HICON LoadProgramIcon(int metric, UINT dpi) {
    const int size = win32::SystemMetric(metric, dpi);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUELLMARK),
                                         IMAGE_ICON, size, size, 0));
}

// With the icons for `dpi` as the class's, which a window shows from its creation on; each icon
// given to a window later costs time at start-up.
void RegisterWindowClass(WNDPROC windowProc, UINT dpi) {
    static const ATOM atom = [windowProc, dpi] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hIcon = LoadProgramIcon(SM_CXICON, dpi);
        windowClass.hIconSm = LoadProgramIcon(SM_CXSMICON, dpi);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        // The dialog background, on which the controls draw their own.
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass);
    }();
    if (atom == 0) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "cannot register the window class");
    }
}

// What WM_SETFONT is given: the message font, or where it could not be made, the stock one.
WPARAM ControlFont(const win32::FontHandle& font) {
    return reinterpret_cast<WPARAM>(font ? font.get()
                                         : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

bool IsKind(HWND control, ElementKind kind) {
    const ElementDescription* element = win32::FindDescription(GetDlgCtrlID(control));
    return element != nullptr && element->kind == kind;
}

}  // namespace

Form1::Form1(std::unique_ptr<SerialPort> port, PortDescriber describePorts) {
    // Sized, and with icons, for the system's dpi, which is that of the monitor where the system
    // places a new window, or of every monitor where it knows no other.
    const UINT systemDpi = win32::SystemDpi();
    RegisterWindowClass(&win32::WindowProcedure<Form1, &Form1::HandleMessage>, systemDpi);
    const SIZE size = win32::WindowSizeFor(kClientSize, kStyle, 0, systemDpi);
    CreateWindowExW(0, kClassName, win32::ToWide(kWindowTitle).c_str(), kStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, GetModuleHandleW(nullptr),
                    this);
    if (window_ == nullptr) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "cannot create the window");
    }
    // The controls for the dpi of the monitor where the system placed it, and the size and icons
    // for it where that differs.
    dpi_ = win32::WindowDpi(window_);
    if (dpi_ != systemDpi) {
        const SIZE fitted = win32::WindowSizeFor(kClientSize, kStyle, 0, dpi_);
        SetWindowPos(window_, nullptr, 0, 0, fitted.cx, fitted.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetIcons();
    }
    CreateElements();
    portTooltips_.Attach(Control(ControlId::Combo1), window_, std::move(describePorts));
    NameForScreenReaders();
    controller_ =
        std::make_unique<GainController>(*this, std::move(port), win32::UserDecimalSeparator());
    controller_->OnStartup();
}

Form1::~Form1() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

LRESULT Form1::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            window_ = window;
            win32::EnableFrameScaling(window);
            break;
        case WM_NCDESTROY:
            window_ = nullptr;
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_VSCROLL:
            OnVScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case DM_GETDEFID:
            return OnGetDefId();
        case WM_GETOBJECT:
            accessibleTexts_.OnObjectRequested();
            break;
        case WM_DPICHANGED:
            FitToDpi(LOWORD(wParam), win32::FrameForNewDpi(*reinterpret_cast<const RECT*>(lParam),
                                                           kClientSize, kStyle, 0, LOWORD(wParam)));
            return 0;
        case WM_CLOSE:
            if (inHandler_) {
                closeDeferred_ = true;
                return 0;
            }
            break;
        case WM_DESTROY:
            controller_.reset();
            accessibleTexts_.Clear();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Each control made where it goes at the window's dpi, in the message font of that dpi.
void Form1::CreateElements() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    font_ = win32::CreateMessageFont(dpi_);
    for (const ElementDescription* element : win32::CreationOrder()) {
        const win32::ControlClass control = win32::ClassFor(element->kind);
        const ElementGeometry place = win32::Scaled(win32::ClientGeometry(*element), dpi_);
        const auto id = static_cast<INT_PTR>(win32::IdOf(win32::ControlNamed(element->name)));
        const HWND created = CreateWindowExW(control.exStyle, control.windowClass,
                                             win32::ToWide(element->caption).c_str(), control.style,
                                             place.x, place.y, place.width, place.height, window_,
                                             reinterpret_cast<HMENU>(id), instance, nullptr);
        SendMessageW(created, WM_SETFONT, ControlFont(font_), FALSE);
    }
    FitComboHeight();
    for (auto [trackbar, id] :
         {std::pair(&slider1_, ControlId::Slider1), std::pair(&slider2_, ControlId::Slider2)}) {
        const SliderRange range = win32::DescriptionOf(id).range;
        trackbar->Attach(Control(id), range.minimum, range.maximum);
    }
}

// The window's own icons, drawn for the dpi's sizes, in place of the class's.
void Form1::SetIcons() {
    win32::IconHandle big(LoadProgramIcon(SM_CXICON, dpi_));
    win32::IconHandle small(LoadProgramIcon(SM_CXSMICON, dpi_));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    // The window no longer shows the old ones.
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

// Places the window at `frame` and lays out the controls and icons for `dpi`.
void Form1::FitToDpi(UINT dpi, const RECT& frame) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutElements();
    SetIcons();
}

void Form1::LayOutElements() {
    win32::FontHandle font = win32::CreateMessageFont(dpi_);
    const WPARAM fontHandle = ControlFont(font);
    for (const ElementDescription& element : WindowElements()) {
        const HWND control = Control(win32::ControlNamed(element.name));
        const ElementGeometry geometry = win32::Scaled(win32::ClientGeometry(element), dpi_);
        SendMessageW(control, WM_SETFONT, fontHandle, TRUE);
        SetWindowPos(control, nullptr, geometry.x, geometry.y, geometry.width, geometry.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The controls no longer use the old font.
    font_ = std::move(font);
    FitComboHeight();
}

// A drop-down list sizes its field by the font; this gives the field the height of the table,
// and the list below it room for every port. How much the field adds to the item height it is
// set to differs between systems, so it is measured.
void Form1::FitComboHeight() {
    const int height = win32::Scaled(win32::DescriptionOf(ControlId::Combo1).geometry, dpi_).height;
    const HWND combo = Control(ControlId::Combo1);
    const auto fieldHeight = [combo] {
        RECT field{};
        GetWindowRect(combo, &field);
        return static_cast<int>(field.bottom - field.top);
    };
    const auto itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    const int border = fieldHeight() - static_cast<int>(itemHeight);
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - border);
    const auto entryHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
    RECT field{};
    GetWindowRect(combo, &field);
    SetWindowPos(combo, nullptr, 0, 0, field.right - field.left,
                 height + static_cast<int>(entryHeight) * kPortCount + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::OnCommand(int id, int code) {
    if (static_cast<ControlId>(id) == ControlId::Combo1 && code == CBN_DROPDOWN) {
        portTooltips_.OnDropDown();
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (static_cast<ControlId>(id)) {
        case ControlId::Command1: {
            // Connecting to a network port can take seconds.
            const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            RunHandler(&GainController::OnConnectToggle);
            SetCursor(previous);
            break;
        }
        case ControlId::Command2:
            RunHandler(&GainController::OnReadValues);
            break;
        case ControlId::Command3:
            RunHandler(&GainController::OnSaveSettings);
            break;
        default:
            break;
    }
}

void Form1::OnVScroll(HWND trackbar, int code) {
    if (trackbar == slider1_.Handle() && slider1_.TakeUserChange(code)) {
        RunHandler(&GainController::OnTxSliderChanged);
    } else if (trackbar == slider2_.Handle() && slider2_.TakeUserChange(code)) {
        RunHandler(&GainController::OnRxSliderChanged);
    }
}

// A handler may wait (a connect, the error box) while messages that other threads send, or a
// modal loop, reach the window: another handler meanwhile is refused, and a close waits until the
// handler has returned, so that the controller is never destroyed under it.
void Form1::RunHandler(void (GainController::*handler)()) {
    if (controller_ == nullptr || inHandler_) {
        return;
    }
    inHandler_ = true;
    (controller_.get()->*handler)();
    inHandler_ = false;
    if (std::exchange(closeDeferred_, false)) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
    }
}

LRESULT Form1::OnNotify(const NMHDR& header) {
    if (header.code != NM_CUSTOMDRAW) {
        return 0;
    }
    const auto& draw = reinterpret_cast<const NMCUSTOMDRAW&>(header);
    if (header.hwndFrom == slider1_.Handle()) {
        return slider1_.CustomDraw(draw);
    }
    if (header.hwndFrom == slider2_.Handle()) {
        return slider2_.CustomDraw(draw);
    }
    if (IsKind(header.hwndFrom, ElementKind::WrappingButton)) {
        return win32::CustomDrawWrappingButton(draw);
    }
    return CDRF_DODEFAULT;
}

// A plain window does not keep its focused control across activation as a dialog does.
void Form1::OnActivate(bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        lastFocus_ = IsChild(window_, focus) ? focus : nullptr;
        return;
    }
    const HWND focus = lastFocus_ != nullptr && IsWindowEnabled(lastFocus_)
                           ? lastFocus_
                           : GetNextDlgTabItem(window_, nullptr, FALSE);
    SetFocus(focus);
}

// Enter presses the focused button; elsewhere it presses nothing.
LRESULT Form1::OnGetDefId() const {
    const HWND focus = GetFocus();
    if (IsChild(window_, focus) &&
        (IsKind(focus, ElementKind::Button) || IsKind(focus, ElementKind::WrappingButton))) {
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
    }
    return 0;
}

// Each named element is named by the caption of the element that names it; a trackbar, which
// shows no text, in its own window text as well, which some systems' accessible objects read.
void Form1::NameForScreenReaders() {
    for (const ElementDescription& element : WindowElements()) {
        if (element.names.empty()) {
            continue;
        }
        const HWND named = Control(win32::ControlNamed(element.names));
        const std::wstring name = win32::WindowText(Control(win32::ControlNamed(element.name)));
        if (IsKind(named, ElementKind::Slider)) {
            SetWindowTextW(named, name.c_str());
        }
        accessibleTexts_.SetName(named, name);
    }
}

// A trackbar's value for screen readers is what its panel shows: "Gain -2,5 db, Value 8".
void Form1::DescribeSliders() {
    const std::tuple<ControlId, ControlId, ControlId> panels[] = {
        {ControlId::Slider1, ControlId::Label1, ControlId::Label2},
        {ControlId::Slider2, ControlId::Label7, ControlId::Label8}};
    for (const auto& [slider, gain, value] : panels) {
        accessibleTexts_.SetValue(Control(slider), L"Gain " + win32::WindowText(Control(gain)) +
                                                       L", Value " +
                                                       win32::WindowText(Control(value)));
    }
}

HWND Form1::Control(ControlId id) const {
    return GetDlgItem(window_, win32::IdOf(id));
}

win32::GainTrackbar& Form1::Trackbar(Slider slider) {
    return slider == Slider::Slider1 ? slider1_ : slider2_;
}

const win32::GainTrackbar& Form1::Trackbar(Slider slider) const {
    return slider == Slider::Slider1 ? slider1_ : slider2_;
}

void Form1::SetText(Element element, const std::string& text) {
    SetWindowTextW(Control(win32::ControlFor(element)), win32::ToWide(text).c_str());
    DescribeSliders();
}

std::string Form1::GetText(Element element) const {
    return win32::ToUtf8(win32::WindowText(Control(win32::ControlFor(element))));
}

// A group box neither disables its contents nor stands between them and the window: disabling a
// frame disables each element in it. Focus on a control that goes grey moves to the connect
// button, so that the keyboard still reaches the window.
void Form1::SetEnabled(Element element, bool enabled) {
    const std::string_view name = ElementName(element);
    const HWND focus = GetFocus();
    for (const ElementDescription& described : WindowElements()) {
        if (described.name == name || described.parent == name) {
            EnableWindow(Control(win32::ControlNamed(described.name)), enabled);
        }
    }
    if (focus != nullptr && IsChild(window_, focus) && !IsWindowEnabled(focus)) {
        SetFocus(Control(ControlId::Command1));
    }
}

int Form1::GetPosition(Slider slider) const {
    return Trackbar(slider).Position();
}

void Form1::SetPosition(Slider slider, int position) {
    Trackbar(slider).SetPosition(position);
}

void Form1::AddListEntry(const std::string& text) {
    SendMessageW(Control(ControlId::Combo1), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(win32::ToWide(text).c_str()));
}

int Form1::GetListIndex() const {
    return static_cast<int>(SendMessageW(Control(ControlId::Combo1), CB_GETCURSEL, 0, 0));
}

void Form1::SetListIndex(int index) {
    SendMessageW(Control(ControlId::Combo1), CB_SETCURSEL, index, 0);
}

void Form1::ShowError(const std::string& text) {
    MessageBoxW(window_, win32::ToWide(text).c_str(), win32::ToWide(kWindowTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace quellmark
