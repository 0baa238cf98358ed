// CString: the single-byte text class of the framework layer.
//
// A value type over std::string, whose small-string buffer holds every date
// text without touching the heap. Positions and lengths are int, as the
// Win32 calls that fill and read window text use int.
#pragma once

#include <string>

#if defined(__GNUC__) || defined(__clang__)
#define CORVANEL_PRINTF_FORMAT(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))
#else
#define CORVANEL_PRINTF_FORMAT(fmtIndex, firstArg)
#endif

class CString {
public:
    CString() = default;
    CString(const char* text);  // NOLINT: implicit, as text literals are passed where a CString is expected
    CString(const char* text, int length);
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    ~CString() = default;

    // printf formatting of any length. The arguments must be plain values:
    // pass a CString as GetString().
    void Format(const char* format, ...) CORVANEL_PRINTF_FORMAT(2, 3);

    // Pieces of the text. A negative first or count counts as 0; both are
    // clamped to the end of the text.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;

    // Case-sensitive comparison: 0 when equal, else negative or positive like strcmp.
    int Compare(const char* other) const;

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const { return m_text[static_cast<std::size_t>(index)]; }

    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }

    CString& operator+=(const char* text);
    CString& operator+=(const CString& text);
    CString& operator+=(char c);

    // Direct writing, for calls that fill a caller's buffer (GetWindowText):
    // GetBuffer gives room for at least minLength characters plus a terminator
    // and keeps the current text; ReleaseBuffer sets the length to newLength,
    // or to the terminated length when newLength is -1.
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }

private:
    std::string m_text;
};
