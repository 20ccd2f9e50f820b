// Text between the core (UTF-16 views) and Win32 (wide strings), without the C++ library's strings,
// whose code and exceptions would weigh more than the whole window. For the same reason nothing here
// calls what could throw (string_view's substr and copy check their bounds with an exception).
#pragma once

#include <windows.h>

#include <algorithm>
#include <string_view>

// The core's texts are followed by a NUL, so Win32 takes them as they are.
inline const wchar_t *wide(std::u16string_view text)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return reinterpret_cast<const wchar_t *>(text.data());
}

// A text of any length, held in place when short (a code) and on the process heap otherwise. Where the
// heap has no room for it, it is empty.
class TextBuffer
{
public:
    explicit TextBuffer(std::size_t length)
        : m_data(
              length < sizeof m_inline / sizeof *m_inline
                  ? m_inline
                  : static_cast<char16_t *>(HeapAlloc(GetProcessHeap(), 0, (length + 1) * sizeof(char16_t)))),
          m_size(m_data ? length : 0)
    {
        if (!m_data)
            m_data = m_inline;
        m_data[m_size] = u'\0';
    }
    explicit TextBuffer(std::u16string_view text) : TextBuffer(text.size())
    {
        std::copy_n(text.data(), m_size, m_data);
    }
    TextBuffer(TextBuffer &&other) noexcept : m_data(other.m_data), m_size(other.m_size)
    {
        if (other.m_data == other.m_inline) {
            m_data = m_inline;
            std::copy_n(other.m_inline, m_size + 1, m_inline);
        }
        other.m_data = other.m_inline;
        other.m_data[other.m_size = 0] = u'\0';
    }
    TextBuffer(const TextBuffer &) = delete;
    TextBuffer &operator=(const TextBuffer &) = delete;
    ~TextBuffer()
    {
        if (m_data != m_inline)
            HeapFree(GetProcessHeap(), 0, m_data);
    }

    char16_t *data() { return m_data; }
    wchar_t *wdata() { return reinterpret_cast<wchar_t *>(m_data); }
    std::size_t size() const { return m_size; }
    std::u16string_view view() const { return {m_data, m_size}; }
    void shrink(std::size_t length)
    {
        if (length < m_size)
            m_data[m_size = length] = u'\0';
    }
    bool operator==(const TextBuffer &other) const { return view() == other.view(); }

private:
    char16_t m_inline[16];
    char16_t *m_data;
    std::size_t m_size;
};

// The whole text of a window or control.
inline TextBuffer windowText(HWND window)
{
    TextBuffer text(std::size_t(GetWindowTextLengthW(window)));
    // The length may be an overestimate; the copy says how much there was.
    if (text.size() > 0)
        text.shrink(std::size_t(GetWindowTextW(window, text.wdata(), int(text.size() + 1))));
    return text;
}

// Lower-casing as Windows does it, for LookupCode.
struct WindowsLower {
    TextBuffer operator()(std::u16string_view text) const
    {
        TextBuffer lower(text);
        if (lower.size() > 0)
            CharLowerBuffW(lower.wdata(), DWORD(lower.size()));
        return lower;
    }
};
