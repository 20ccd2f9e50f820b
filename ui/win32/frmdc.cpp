// The main window on Win32: its seven controls, start-up and the three command handlers.
#include "frmdc.h"

#include "caption.h"
#include "dpi.h"
#include "fixedtexts.h"
#include "fonts.h"
#include "form.h"
#include "lookup.h"
#include "text.h"

#include <commctrl.h>
#include <imm.h>
#include <initguid.h> // defines the GUIDs of the screen-reader names below
#include <oleacc.h>

#include <algorithm>

namespace
{

// Declared only for newer Windows than the program is built for.
constexpr UINT DpiChanged = 0x02E0;       // WM_DPICHANGED, Windows 8.1
constexpr UINT GetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE, Windows 10 1703

constexpr wchar_t ClassName[] = L"tarnwick.FrmDc";
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = 0;
constexpr int IdTxtC = 100;
constexpr int IdLabel1 = 101;
constexpr int IdCmdm = 102;
constexpr int IdTxtGD = 103;
constexpr int IdLabel3 = 104;

COLORREF colourRef(Rgb c)
{
    return RGB(c.r, c.g, c.b);
}

Rgb systemColour(SysColour which)
{
    const COLORREF c = GetSysColor(int(which));
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// Whether the user has a contrast theme on (Windows 11's Aquatic, Desert, Dusk and Night sky, or an
// earlier Windows' high-contrast schemes). Windows says so; the colours alone do not tell, since
// Windows 11's themes keep their button text well below black on white.
bool highContrastOn()
{
    HIGHCONTRASTW setting = {sizeof setting, 0, nullptr};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON);
}

// A code is two hex digits, typed straight from the keyboard. With a Chinese input method on (as it
// is by default on Chinese Windows), "ff" would start a composition that the first Enter only
// commits, or come in full width as "ＦＦ"; so the code box has no input context, as Windows gives
// password boxes. The other controls keep theirs. imm32 is loaded here rather than imported: Windows
// XP has it only with its East Asian language support.
// A system DLL the program loads only when it needs it, by its full path in the system folder: a DLL of
// that name lying beside the program (in a download folder, say) is never loaded in its place.
HMODULE loadSystemLibrary(const wchar_t *name)
{
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    path[length++] = L'\\';
    for (; *name && length < MAX_PATH - 1; ++name)
        path[length++] = *name;
    if (*name)
        return nullptr;
    path[length] = L'\0';
    return LoadLibraryW(path);
}

void typeWithoutInputMethod(HWND box)
{
    const HMODULE imm = loadSystemLibrary(L"imm32.dll");
    if (!imm)
        return;
    using AssociateEx = BOOL(WINAPI *)(HWND, HIMC, DWORD);
    const auto associate = reinterpret_cast<AssociateEx>(
        reinterpret_cast<void (*)()>(GetProcAddress(imm, "ImmAssociateContextEx")));
    if (associate)
        associate(box, nullptr, 0);
    // imm32 stays loaded: the window's input contexts live in it.
}

// A brush the window hands to a control (WM_CTLCOLOR...) is only filled with while the control paints,
// never kept selected: the old one can go before the repaint that asks for the new.
void replaceBrush(HBRUSH &brush, Rgb colour)
{
    if (brush)
        DeleteObject(brush);
    brush = CreateSolidBrush(colourRef(colour));
}

// The controls are given the new font before the old one goes: a control selects its font into a
// device context only while it paints, so once it has the new one, the old is selected nowhere.
void replaceFont(HFONT &font, HFONT by, std::initializer_list<HWND> controls)
{
    for (HWND control : controls)
        SendMessageW(control, WM_SETFONT, WPARAM(by), TRUE);
    if (font)
        DeleteObject(font);
    font = by;
}

bool isHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

HICON icon(HINSTANCE instance, int metric)
{
    const int size = GetSystemMetrics(metric);
    return HICON(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

FrmDc::~FrmDc()
{
    for (HGDIOBJ object : {HGDIOBJ(m_buttonFont), HGDIOBJ(m_codeFont), HGDIOBJ(m_resultFont),
                           HGDIOBJ(m_faceBrush), HGDIOBJ(m_codeBrush), HGDIOBJ(m_resultBrush)}) {
        if (object)
            DeleteObject(object);
    }
}

bool FrmDc::start(HINSTANCE instance, int show)
{
    // Without this, Windows XP shows no controls in the look that the manifest asks for.
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon(instance, SM_CXICON);
    windowClass.hIconSm = icon(instance, SM_CXSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassExW(&windowClass))
        return false;
    takeColours();

    // Made where it will be shown, centred in the primary monitor's work area (the screen without the
    // taskbar), at its size for the system's DPI: that of the primary monitor, as a rule.
    POINT origin = {0, 0};
    MONITORINFO monitor = {sizeof monitor, {}, {}, 0};
    GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &work = monitor.rcWork;
    const auto centred = [&](SIZE size) {
        return POINT{work.left + (work.right - work.left - size.cx) / 2,
                     work.top + (work.bottom - work.top - size.cy) / 2};
    };
    SIZE size = windowSize(dpi::ofSystem());
    POINT place = centred(size);
    CreateWindowExW(ExStyle, ClassName, wide(form::Title), Style, place.x, place.y, size.cx, size.cy, nullptr,
                    nullptr, instance, this);
    if (!m_window)
        return false;
    // A fixed window: its system menu offers only to move and to close it.
    const HMENU menu = GetSystemMenu(m_window, FALSE);
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
        DeleteMenu(menu, command, MF_BYCOMMAND);

    createControls(instance);
    layOut(dpi::ofWindow(m_window));
    if (m_dpi != dpi::ofSystem()) { // a primary monitor of another DPI than the system's
        size = windowSize(m_dpi);
        place = centred(size);
        SetWindowPos(m_window, nullptr, place.x, place.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Form_Load();

    ShowWindow(m_window, show);
    UpdateWindow(m_window);
    SetFocus(TxtC);
    return true;
}

void FrmDc::createControls(HINSTANCE instance)
{
    const auto make = [&](const wchar_t *kind, const form::Control &control, DWORD style, DWORD exStyle,
                          int id) {
        // Stacked in the order made, the first on top; Tab goes from one to the next in the same order.
        return CreateWindowExW(exStyle, kind, wide(control.caption),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, m_window,
                               HMENU(INT_PTR(id)), instance, nullptr);
    };
    TxtC = make(L"EDIT", form::TxtC, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IdTxtC);
    Label1 = make(L"STATIC", form::Label1, SS_OWNERDRAW, 0, IdLabel1);
    CmdOK = make(L"BUTTON", form::CmdOK, WS_TABSTOP | BS_DEFPUSHBUTTON | BS_NOTIFY, 0, IDOK);
    Cmdm = make(L"BUTTON", form::Cmdm, WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0, IdCmdm);
    CmdCE = make(L"BUTTON", form::CmdCE, WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0, IDCANCEL);
    TxtGD = make(L"EDIT", form::TxtGD, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                 WS_EX_CLIENTEDGE, IdTxtGD);
    Label3 = make(L"STATIC", form::Label3, SS_OWNERDRAW, 0, IdLabel3);

    SendMessageW(TxtC, EM_LIMITTEXT, form::CodeLimit, 0); // counts UTF-16 units; see keepWholeCharacters
    typeWithoutInputMethod(TxtC);
    m_editProc = WNDPROC(SetWindowLongPtrW(TxtC, GWLP_WNDPROC, LONG_PTR(boxProc)));
    SetWindowLongPtrW(TxtGD, GWLP_WNDPROC, LONG_PTR(boxProc));
    setText(TxtGD, StartupText());
}

void FrmDc::layOut(UINT dpi)
{
    m_dpi = dpi;
    const auto px = [dpi](int twips) { return form::pixels(twips, int(dpi)); };
    const auto rectOf = [&](const form::Control &c) {
        // Both edges rounded, so that neighbours keep their gaps at any DPI.
        return RECT{px(c.place.left), px(c.place.top), px(c.place.left + c.place.width),
                    px(c.place.top + c.place.height)};
    };
    for (const auto &[control, place] :
         {std::pair(TxtC, &form::TxtC), std::pair(Label1, &form::Label1), std::pair(CmdOK, &form::CmdOK),
          std::pair(Cmdm, &form::Cmdm), std::pair(CmdCE, &form::CmdCE), std::pair(TxtGD, &form::TxtGD),
          std::pair(Label3, &form::Label3)}) {
        const RECT r = rectOf(*place);
        MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    // Label1's caption stays centred and clear of the part of it that TxtC covers.
    m_label1Clear = std::max(0L, rectOf(form::Label1).right - rectOf(form::TxtC).left);

    replaceFont(m_buttonFont, createFont(form::DefaultFont, dpi), {CmdOK, Cmdm, CmdCE});
    replaceFont(m_codeFont, createFont(form::TxtC.font, dpi), {TxtC});
    replaceFont(m_resultFont, createFont(form::TxtGD.font, dpi), {TxtGD});
    InvalidateRect(m_window, nullptr, TRUE);
}

SIZE FrmDc::windowSize(UINT dpi) const
{
    return dpi::windowSize(form::pixels(form::ClientWidth, int(dpi)),
                           form::pixels(form::ClientHeight, int(dpi)), Style, ExStyle, dpi);
}

void FrmDc::takeColours()
{
    // Windows tells of one change in up to three messages: the brushes are made again only when the
    // colours did change.
    const WindowColours colours = windowColours(systemColour, highContrastOn());
    if (m_faceBrush && colours == m_colours)
        return;
    m_colours = colours;
    replaceBrush(m_faceBrush, m_colours.face);
    replaceBrush(m_codeBrush, m_colours.codeBase);
    if (!m_resultBrush) // the result box's colours are its own, whatever the scheme
        m_resultBrush = CreateSolidBrush(colourRef(ResultBackground));
}

void FrmDc::Form_Load()
{
    m_table.FillCodeTable();
}

void FrmDc::CmdOK_Click()
{
    const TextBuffer typed = windowText(TxtC);
    const LookupResult result = LookupCode(m_table, typed.view(), WindowsLower{});
    UINT icon = MB_ICONERROR;
    std::u16string_view prompt = EmptyInputPrompt();
    switch (result.kind) {
    case LookupKind::Found:
        setText(TxtGD, m_table.text(result.slot));
        setText(TxtC, m_table.code(result.slot)); // shown back as stored: "ff" becomes "FF"
        return;
    case LookupKind::EmptyInput:
        break;
    case LookupKind::NoMatch:
        icon = MB_ICONWARNING;
        prompt = NoMatchPrompt();
        break;
    }
    MessageBoxW(m_window, wide(prompt), wide(AppTitle()), MB_OK | icon);
    // Only once the box is dismissed; the typed code stays for the user to correct.
    setText(TxtGD, NoticeText());
}

void FrmDc::Cmdm_Click()
{
    setText(TxtC, u"");
    setText(TxtGD, FfGuideText());
}

void FrmDc::CmdCE_Click()
{
    // The window goes at once, without asking, and the program with it. What the user copied stays on
    // the clipboard: Windows holds it, not the program.
    DestroyWindow(m_window);
}

int FrmDc::run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Dialog keys in a plain window: Tab and Shift+Tab through the controls, Enter for the default
        // button, Escape for 退出.
        if (m_window && IsDialogMessageW(m_window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

void FrmDc::setText(HWND box, std::u16string_view text)
{
    // The whole text replaced, the caret at its start with nothing selected, shown from the top.
    SetWindowTextW(box, wide(text));
    SendMessageW(box, EM_SETSEL, 0, 0);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void FrmDc::markDefault(HWND button)
{
    // As in a dialog: a focused button is the one Enter clicks, and shows it; elsewhere it is 查询.
    for (HWND each : {CmdOK, Cmdm, CmdCE})
        SendMessageW(each, BM_SETSTYLE, each == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void FrmDc::keepWholeCharacters()
{
    // The limit counts UTF-16 units, so a paste that ends in a character outside the BMP is cut between
    // the two halves of its surrogate pair. Halves without their partner are dropped rather than left in
    // the box as broken text.
    if (m_fixingCode)
        return;
    m_fixingCode = true;
    const TextBuffer text = windowText(TxtC);
    const std::u16string_view t = text.view();
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(TxtC, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    for (std::size_t i = t.size(); i-- > 0;) {
        const bool paired = isHighSurrogate(t[i])  ? i + 1 < t.size() && isLowSurrogate(t[i + 1])
                            : isLowSurrogate(t[i]) ? i > 0 && isHighSurrogate(t[i - 1])
                                                   : true;
        if (paired)
            continue;
        SendMessageW(TxtC, EM_SETSEL, i, i + 1);
        SendMessageW(TxtC, EM_REPLACESEL, FALSE, LPARAM(L""));
        start -= start > i;
        end -= end > i;
    }
    SendMessageW(TxtC, EM_SETSEL, start, end);
    m_fixingCode = false;
}

void FrmDc::nameBoxes()
{
    // What a screen reader calls the two boxes. Only when one asks, since COM costs start-up time that
    // nobody else needs; ole32 is loaded here, not imported.
    if (m_boxesNamed)
        return;
    m_boxesNamed = true;
    const HMODULE ole = loadSystemLibrary(L"ole32.dll");
    if (!ole)
        return;
    using Initialize = HRESULT(WINAPI *)(void *, DWORD);
    using Create = HRESULT(WINAPI *)(REFCLSID, IUnknown *, DWORD, REFIID, void **);
    const auto initialize =
        reinterpret_cast<Initialize>(reinterpret_cast<void (*)()>(GetProcAddress(ole, "CoInitializeEx")));
    const auto create =
        reinterpret_cast<Create>(reinterpret_cast<void (*)()>(GetProcAddress(ole, "CoCreateInstance")));
    IAccPropServices *names = nullptr;
    if (!initialize || !create || FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED)) ||
        FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      reinterpret_cast<void **>(&names))))
        return;
    names->SetHwndPropStr(TxtC, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, wide(form::CodeBoxName));
    names->SetHwndPropStr(TxtGD, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                          wide(form::ResultBoxName));
    names->Release();
}

void FrmDc::drawLabel(const DRAWITEMSTRUCT &item)
{
    // Transparent: the window's face shows around the caption.
    FillRect(item.hDC, &item.rcItem, m_faceBrush);
    RECT area = item.rcItem;
    const bool first = item.hwndItem == Label1;
    if (first) {
        area.left += m_label1Clear;
        area.right -= m_label1Clear;
    }
    (first ? m_label1Caption : m_label3Caption)
        .draw(item.hDC, area, fontRequest((first ? form::Label1 : form::Label3).font, m_dpi),
              colourRef(first ? m_colours.faceText : m_colours.label3Text));
}

LRESULT CALLBACK FrmDc::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self = static_cast<FrmDc *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
        dpi::scaleNonClientArea(window);
    }
    auto *self = reinterpret_cast<FrmDc *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->m_window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT FrmDc::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const HWND from = HWND(lParam);
        switch (HIWORD(wParam)) {
        case BN_CLICKED: // also Enter (IDOK) and Escape (IDCANCEL), sent by IsDialogMessage
            if (LOWORD(wParam) == IDOK)
                CmdOK_Click();
            else if (LOWORD(wParam) == IdCmdm)
                Cmdm_Click();
            else if (LOWORD(wParam) == IDCANCEL)
                CmdCE_Click();
            return 0;
        case BN_SETFOCUS:
            markDefault(from);
            return 0;
        case EN_SETFOCUS:
            markDefault(CmdOK);
            return 0;
        case EN_CHANGE:
            if (from == TxtC)
                keepWholeCharacters();
            return 0;
        }
        break;
    }
    case DM_GETDEFID: {
        // The button Enter clicks: the focused one, else 查询.
        const HWND focus = GetFocus();
        const bool onButton = focus == CmdOK || focus == Cmdm || focus == CmdCE;
        return MAKELRESULT(onButton ? GetDlgCtrlID(focus) : IDOK, DC_HASDEFID);
    }
    case WM_CTLCOLOREDIT:
        SetTextColor(HDC(wParam), colourRef(m_colours.codeText));
        SetBkColor(HDC(wParam), colourRef(m_colours.codeBase));
        return LRESULT(m_codeBrush);
    case WM_CTLCOLORSTATIC: // also the read-only result box
        if (HWND(lParam) == TxtGD) {
            SetTextColor(HDC(wParam), colourRef(ResultText));
            SetBkColor(HDC(wParam), colourRef(ResultBackground));
            return LRESULT(m_resultBrush);
        }
        return LRESULT(m_faceBrush);
    case WM_CTLCOLORBTN:
        return LRESULT(m_faceBrush);
    case WM_DRAWITEM:
        drawLabel(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(m_window, &client);
        FillRect(HDC(wParam), &client, m_faceBrush);
        return TRUE;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(m_window, focus))
                m_lastFocus = focus;
        }
        break;
    case WM_SETFOCUS:
        SetFocus(m_lastFocus ? m_lastFocus : TxtC);
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam != SPI_SETHIGHCONTRAST)
            break;
        [[fallthrough]];
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        // The desktop's colours changed: the window follows them.
        takeColours();
        RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case DpiChanged: {
        // Moved to a monitor of another DPI (or its DPI changed): laid out and sized for it again, where
        // Windows suggests.
        layOut(HIWORD(wParam));
        const RECT &suggested = *reinterpret_cast<const RECT *>(lParam);
        const SIZE size = windowSize(m_dpi);
        SetWindowPos(m_window, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case GetDpiScaledSize:
        *reinterpret_cast<SIZE *>(lParam) = windowSize(UINT(wParam));
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK FrmDc::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = reinterpret_cast<FrmDc *>(GetWindowLongPtrW(GetParent(box), GWLP_USERDATA));
    return self->handleBox(box, message, wParam, lParam);
}

LRESULT FrmDc::handleBox(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        // Enter, Escape and Tab belong to the window's buttons and focus order, also in the multi-line
        // result box, which would otherwise keep them.
        return CallWindowProcW(m_editProc, box, message, wParam, lParam) &
               ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
    case WM_KEYDOWN:
        // Ctrl+A selects all, also on Windows versions whose boxes do not.
        if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 &&
            GetKeyState(VK_SHIFT) >= 0) {
            SendMessageW(box, EM_SETSEL, 0, -1);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == 1) // Ctrl+A, handled above; the box would beep at it
            return 0;
        if (box != TxtC)
            break;
        // A character outside the BMP comes as two halves; it goes in whole, where both fit, or not at all.
        if (isHighSurrogate(wchar_t(wParam))) {
            m_pendingHigh = wchar_t(wParam);
            return 0;
        }
        if (isLowSurrogate(wchar_t(wParam)) && m_pendingHigh) {
            const wchar_t pair[] = {m_pendingHigh, wchar_t(wParam), L'\0'};
            m_pendingHigh = 0;
            DWORD start = 0;
            DWORD end = 0;
            SendMessageW(box, EM_GETSEL, WPARAM(&start), LPARAM(&end));
            if (GetWindowTextLengthW(box) - int(end - start) + 2 <= form::CodeLimit)
                SendMessageW(box, EM_REPLACESEL, TRUE, LPARAM(pair));
            return 0;
        }
        m_pendingHigh = 0;
        break;
    case WM_GETOBJECT:
        nameBoxes();
        break;
    }
    return CallWindowProcW(m_editProc, box, message, wParam, lParam);
}
