// The main window on Win32. Data path: code typed into TxtC -> LookupCode (core) -> description or
// fixed text shown in TxtGD. The window only moves text between its boxes and the core.
#pragma once

#include "caption.h"
#include "codetable.h"
#include "colours.h"
#include "form.h"

#include <windows.h>

#include <string_view>

class FrmDc
{
public:
    FrmDc() = default; // the code table exists, empty
    FrmDc(const FrmDc &) = delete;
    FrmDc &operator=(const FrmDc &) = delete;
    ~FrmDc();

    // Start-up: creates the window with its controls, runs the load step, then shows the window centred
    // in the work area with the focus in the code box. False where Windows refused to create it.
    bool start(HINSTANCE instance, int show);

    // Handles the window's messages until it is gone; returns the program's exit code.
    int run();

    void Form_Load();
    void CmdOK_Click();
    void Cmdm_Click();
    void CmdCE_Click();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleBox(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

    void createControls(HINSTANCE instance);
    void layOut(UINT dpi);
    SIZE windowSize(UINT dpi) const;
    void takeColours();
    void drawLabel(const DRAWITEMSTRUCT &item);
    void setText(HWND box, std::u16string_view text);
    void markDefault(HWND button);
    void keepWholeCharacters();
    void nameBoxes();

    CodeTable m_table;

    HWND m_window = nullptr;
    HWND TxtC = nullptr;
    HWND Label1 = nullptr;
    HWND CmdOK = nullptr;
    HWND Cmdm = nullptr;
    HWND CmdCE = nullptr;
    HWND TxtGD = nullptr;
    HWND Label3 = nullptr;
    WNDPROC m_editProc = nullptr; // the system's own, which the two boxes pass on to

    UINT m_dpi = 96;
    HFONT m_buttonFont = nullptr;
    HFONT m_codeFont = nullptr;
    HFONT m_resultFont = nullptr;
    int m_label1Clear = 0; // how far Label1's caption keeps from its sides, clear of TxtC above it
    Caption m_label1Caption{form::Label1.caption};
    Caption m_label3Caption{form::Label3.caption};

    WindowColours m_colours;
    HBRUSH m_faceBrush = nullptr;
    HBRUSH m_codeBrush = nullptr;
    HBRUSH m_resultBrush = nullptr;

    HWND m_lastFocus = nullptr; // where the focus goes back to when the window is activated again
    wchar_t m_pendingHigh = 0;  // the first half of a character being typed into TxtC
    bool m_fixingCode = false;
    bool m_boxesNamed = false;
};
