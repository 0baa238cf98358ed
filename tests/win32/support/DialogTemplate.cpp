// DialogTemplate.cpp: dialog templates built in memory.
#include "tests/win32/support/DialogTemplate.h"

namespace test {
namespace {

// Appends to a template under construction; the layout is a run of 16-bit words.
class Writer {
public:
    explicit Writer(std::vector<WORD>& words) : m_words(words) {}
    void Word(unsigned value) { m_words.push_back(static_cast<WORD>(value)); }
    void Dword(DWORD value)
    {
        Word(value & 0xFFFF);
        Word(value >> 16);
    }
    void Short(short value) { Word(static_cast<WORD>(value)); }
    // A zero-terminated UTF-16 string; the texts of tests are plain ASCII.
    void String(const char* text)
    {
        for (const char* c = text ? text : ""; *c; ++c)
            Word(static_cast<unsigned char>(*c));
        Word(0);
    }
    void AlignToDword()
    {
        if (m_words.size() % 2)
            Word(0);
    }

private:
    std::vector<WORD>& m_words;
};

} // namespace

ItemLayout PushButton(const char* text, WORD id, short x, short y)
{
    return {.className = "BUTTON", .text = text, .id = id,
            .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, .x = x, .y = y};
}

ItemLayout DefPushButton(const char* text, WORD id, short x, short y)
{
    ItemLayout item = PushButton(text, id, x, y);
    item.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
    return item;
}

ItemLayout EditBox(WORD id, short x, short y, short cx, const char* className)
{
    return {.className = className, .text = "", .id = id,
            .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
            .x = x, .y = y, .cx = cx, .cy = 12};
}

DialogTemplate::DialogTemplate(const DialogLayout& layout)
    : m_layout(layout), m_title(layout.title ? layout.title : ""), m_font(layout.font ? layout.font : "")
{
}

DialogTemplate& DialogTemplate::Add(const ItemLayout& item)
{
    m_items.push_back({item, item.className ? item.className : "", item.text ? item.text : ""});
    m_words.clear();
    return *this;
}

const DLGTEMPLATE* DialogTemplate::Get()
{
    if (m_words.empty())
        Build();
    return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
}

void DialogTemplate::Build()
{
    Writer out(m_words);
    const bool hasFont = m_layout.font != nullptr;
    const DWORD style = m_layout.style | (hasFont ? DWORD{DS_SETFONT} : 0);
    const auto count = static_cast<unsigned>(m_items.size());

    if (m_layout.extended) {
        out.Word(1);         // version
        out.Word(0xFFFF);    // signature of the extended form
        out.Dword(0);        // help id
        out.Dword(m_layout.exStyle);
        out.Dword(style);
    } else {
        out.Dword(style);
        out.Dword(m_layout.exStyle);
    }
    out.Word(count);
    out.Short(m_layout.x);
    out.Short(m_layout.y);
    out.Short(m_layout.cx);
    out.Short(m_layout.cy);
    out.Word(0);             // no menu
    out.Word(0);             // the standard dialog class
    out.String(m_title.c_str());
    if (hasFont) {
        out.Word(m_layout.pointSize);
        if (m_layout.extended) {
            out.Word(FW_NORMAL);
            out.Word(DEFAULT_CHARSET << 8);   // italic 0, then the character set
        }
        out.String(m_font.c_str());
    }

    for (const Item& stored : m_items) {
        const ItemLayout& item = stored.layout;
        out.AlignToDword();
        if (m_layout.extended) {
            out.Dword(0);    // help id
            out.Dword(item.exStyle);
            out.Dword(item.style);
        } else {
            out.Dword(item.style);
            out.Dword(item.exStyle);
        }
        out.Short(item.x);
        out.Short(item.y);
        out.Short(item.cx);
        out.Short(item.cy);
        if (m_layout.extended)
            out.Dword(item.id);
        else
            out.Word(item.id);
        out.String(stored.className.c_str());
        out.String(stored.text.c_str());
        out.Word(0);         // no creation data
    }
}

} // namespace test
