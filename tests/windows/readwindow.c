/* What a window (tarnwick's, or its installer's) and its message boxes hold, as a screen reader reads
 * it: the checks under wine run this beside the program and ask it once for every line they write to
 * its input. It answers each with one line of JSON (UTF-8): null while there is no window, otherwise
 *   {"client": [width, height], "process": id, "shell": id, "controls": [{"class": ..., "text": ...,
 *    "focus": true|false}, ...], "boxes": [{"title": ..., "texts": [...]}]}
 * with the ids of the process that owns the window and of the one that runs the desktop (under wine,
 * the desktop's shell, explorer), the controls that show in their stacking order, each followed by its
 * own (a dialog's within a dialog), each with its window handle (a text box also with "selection":
 * [start, end] and "top": its first visible line, a button with "checked"), and the program's other
 * windows (its message boxes). The window is tarnwick's, by its title, until a line "title TITLE"
 * (UTF-8) names another. A line "repaint" first has the whole window painted anew, as when it is
 * uncovered. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

static void put_text(const wchar_t *text)
{
    char utf8[65536];
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
    putchar('"');
    for (int i = 0; i + 1 < length; ++i) {
        unsigned char c = (unsigned char)utf8[i];
        if (c == '"' || c == '\\')
            printf("\\%c", c);
        else if (c < 0x20)
            printf("\\u%04x", c);
        else
            putchar(c);
    }
    putchar('"');
}

static void put_window_text(HWND window)
{
    static wchar_t text[32768];
    text[0] = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof *text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, NULL);
    put_text(text);
}

static void put_descendants(HWND parent, HWND focus, int *first)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        wchar_t kind[64];
        GetClassNameW(child, kind, 64);
        printf(*first ? "{\"class\": " : ", {\"class\": ");
        put_text(kind);
        printf(", \"text\": ");
        put_window_text(child);
        printf(", \"focus\": %s, \"handle\": %lu", child == focus ? "true" : "false",
               (unsigned long)(ULONG_PTR)child);
        if (lstrcmpiW(kind, L"Edit") == 0) {
            DWORD start = 0, end = 0;
            SendMessageW(child, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
            printf(", \"selection\": [%lu, %lu], \"top\": %ld", start, end,
                   (long)SendMessageW(child, EM_GETFIRSTVISIBLELINE, 0, 0));
        } else if (lstrcmpiW(kind, L"Button") == 0) {
            printf(", \"checked\": %s", SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? "true" : "false");
        }
        printf("}");
        *first = 0;
        put_descendants(child, focus, first);
    }
}

static void put_children(HWND parent, HWND focus, const char *key)
{
    int first = 1;
    printf("\"%s\": [", key);
    put_descendants(parent, focus, &first);
    printf("]");
}

static HWND main_window;
static int box_count;
static wchar_t title[256] = L"DEBUG\x4EE3\x7801\x67E5\x8BE2\x7CFB\x7EDF";

/* The window of that title, trailing blanks aside (an installer's title has one on some pages). */
static BOOL CALLBACK find_window(HWND window, LPARAM unused)
{
    wchar_t text[256];
    int length = GetWindowTextW(window, text, 256);
    while (length > 0 && text[length - 1] == L' ')
        text[--length] = 0;
    if (lstrcmpW(text, title) == 0)
        main_window = window;
    return !main_window;
}

static BOOL CALLBACK put_box(HWND window, LPARAM process)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (window == main_window || owner != (DWORD)process || !IsWindowVisible(window))
        return TRUE;
    printf(box_count++ ? ", {\"title\": " : "{\"title\": ");
    put_window_text(window);
    printf(", ");
    put_children(window, NULL, "texts");
    printf("}");
    return TRUE;
}

int main(void)
{
    char line[1024];
    /* Sizes in the screen's own pixels: Windows, and wine from 10 on, scale what a window that knows its
       DPI measures down to 96 dpi for a reader that does not say it knows it (Vista on; XP has no
       scaling to undo). */
    BOOL(WINAPI * aware)(void) =
        (BOOL(WINAPI *)(void))(void (*)(void))GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDPIAware");
    if (aware)
        aware();
    /* The desktop's shell comes up now, in this session and with this reader's environment (its WINEDEBUG)
       and standard error: Windows runs it from the start, wine 8 with the session's first program, but
       wine 10 only for the first program that asks for the desktop window, which would otherwise be the
       program under test. */
    GetDesktopWindow();
    while (fgets(line, sizeof line, stdin)) {
        if (strncmp(line, "title ", 6) == 0) {
            line[strcspn(line, "\r\n")] = 0;
            MultiByteToWideChar(CP_UTF8, 0, line + 6, -1, title, sizeof title / sizeof *title);
        }
        main_window = NULL;
        EnumWindows(find_window, 0);
        if (!main_window) {
            printf("null\n");
            fflush(stdout);
            continue;
        }
        if (strncmp(line, "repaint", 7) == 0)
            RedrawWindow(main_window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        DWORD process = 0;
        GUITHREADINFO thread = {sizeof thread};
        GetGUIThreadInfo(GetWindowThreadProcessId(main_window, &process), &thread);
        RECT client;
        GetClientRect(main_window, &client);
        DWORD shell = 0;
        GetWindowThreadProcessId(GetDesktopWindow(), &shell);
        printf("{\"client\": [%ld, %ld], \"process\": %lu, \"shell\": %lu, ", client.right, client.bottom, process,
               shell);
        put_children(main_window, thread.hwndFocus, "controls");
        printf(", \"boxes\": [");
        box_count = 0;
        EnumWindows(put_box, (LPARAM)process);
        printf("]}\n");
        fflush(stdout);
    }
    return 0;
}
