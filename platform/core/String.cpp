#include "platform/core/String.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

std::size_t ToSize(int n)
{
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

} // namespace

CString::CString(const char* text)
{
    if (text)
        m_text.assign(text);
}

CString::CString(const char* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<std::size_t>(length));
}

CString& CString::operator=(const char* text)
{
    if (text)
        m_text.assign(text);
    else
        m_text.clear();
    return *this;
}

void CString::Format(const char* format, ...)
{
    // Most texts fit the stack buffer; longer ones are formatted a second
    // time straight into the string, now that their length is known.
    char small[256];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (length < 0) {
        m_text.clear();
    } else if (static_cast<std::size_t>(length) < sizeof small) {
        m_text.assign(small, static_cast<std::size_t>(length));
    } else {
        m_text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(m_text.data(), m_text.size() + 1, format, again);
    }
    va_end(again);
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    const std::size_t size = m_text.size();
    const std::size_t from = ToSize(first) < size ? ToSize(first) : size;
    const std::size_t available = size - from;
    const std::size_t take = ToSize(count) < available ? ToSize(count) : available;
    CString piece;
    piece.m_text.assign(m_text, from, take);
    return piece;
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

int CString::Compare(const char* other) const
{
    return std::strcmp(m_text.c_str(), other ? other : "");
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_text.append(text);
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    m_text.append(text.m_text);
    return *this;
}

CString& CString::operator+=(char c)
{
    m_text.push_back(c);
    return *this;
}

char* CString::GetBuffer(int minLength)
{
    if (ToSize(minLength) > m_text.size())
        m_text.resize(ToSize(minLength));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        m_text.resize(std::strlen(m_text.c_str()));
    else if (ToSize(newLength) < m_text.size())
        m_text.resize(ToSize(newLength));
}
