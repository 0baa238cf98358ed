// Tests of the resources built into Corvanel.exe, read from the executable
// as a data file and compared with what the program and its controls rely on.
#include "tests/app/support/AppUnderTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace test;

namespace {

constexpr WORD kEnglishUs = 1033;
constexpr WORD kSwedish = 1053;

class CorvanelResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_module = ::LoadLibraryExA(CorvanelExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite()
    {
        if (s_module)
            ::FreeLibrary(s_module);
    }
    void SetUp() override { ASSERT_NE(s_module, nullptr) << "cannot load " << CorvanelExePath(); }

    // The raw bytes of one resource in one language; empty when it is missing.
    static std::vector<BYTE> Raw(LPCSTR type, UINT id, WORD language = kEnglishUs)
    {
        HRSRC found = ::FindResourceExA(s_module, type, win32::ResourceId(id), language);
        if (!found)
            return {};
        const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(s_module, found)));
        return std::vector<BYTE>(data, data + ::SizeofResource(s_module, found));
    }

    static std::set<WORD> Languages(LPCSTR type, UINT id)
    {
        std::set<WORD> languages;
        ::EnumResourceLanguagesA(s_module, type, win32::ResourceId(id), &AddLanguage,
                                 reinterpret_cast<LONG_PTR>(&languages));
        return languages;
    }
    static BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR out)
    {
        reinterpret_cast<std::set<WORD>*>(out)->insert(language);
        return TRUE;
    }
    static BOOL CALLBACK AddName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out)
    {
        reinterpret_cast<std::vector<UINT>*>(out)->push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
        return TRUE;
    }

    static HMODULE s_module;
};

HMODULE CorvanelResources::s_module = nullptr;

// Reads the little-endian fields of a resource in order.
class Reader {
public:
    explicit Reader(const std::vector<BYTE>& data) : m_data(data) {}
    WORD Word()
    {
        const WORD value = static_cast<WORD>(At(0) | (At(1) << 8));
        m_pos += 2;
        return value;
    }
    DWORD Dword()
    {
        const DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() { return m_data.at(m_pos++); }
    // A string of UTF-16 units (ASCII here), or an ordinal written "#n".
    std::string StringOrOrdinal()
    {
        const WORD first = Word();
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        std::string text;
        for (WORD c = first; c != 0; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~std::size_t{3}; }

private:
    BYTE At(std::size_t offset) const { return m_data.at(m_pos + offset); }
    const std::vector<BYTE>& m_data;
    std::size_t m_pos = 0;
};

struct Item {
    std::string className;  // predefined classes by name: "button", "static"
    std::string text;
    int id;
    DWORD style;
    short x, y, cx, cy;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    WORD extraBytes = 0;
};

struct DialogResource {
    DWORD style = 0, exStyle = 0, helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string menu, windowClass, title, font;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::vector<Item> items;
};

std::string ClassName(const std::string& raw)
{
    static const std::map<std::string, std::string> predefined = {
        {"#128", "button"}, {"#129", "edit"}, {"#130", "static"}};
    const auto it = predefined.find(raw);
    return it == predefined.end() ? raw : it->second;
}

// Both template formats: DLGTEMPLATEEX (signature 0xFFFF) and the classic DLGTEMPLATE.
DialogResource ParseDialog(const std::vector<BYTE>& data, bool* extended)
{
    Reader in(data);
    DialogResource dialog;
    *extended = data.size() > 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
    if (*extended) {
        in.Dword();  // version 1, signature 0xFFFF
        dialog.helpId = in.Dword();
        dialog.exStyle = in.Dword();
        dialog.style = in.Dword();
    } else {
        dialog.style = in.Dword();
        dialog.exStyle = in.Dword();
    }
    const WORD count = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    dialog.menu = in.StringOrOrdinal();
    dialog.windowClass = in.StringOrOrdinal();
    dialog.title = in.StringOrOrdinal();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Word();
        if (*extended) {
            dialog.weight = in.Word();
            dialog.italic = in.Byte();
            dialog.charset = in.Byte();
        }
        dialog.font = in.StringOrOrdinal();
    }
    for (WORD i = 0; i < count; ++i) {
        in.AlignDword();
        Item item{};
        if (*extended) {
            item.helpId = in.Dword();
            item.exStyle = in.Dword();
            item.style = in.Dword();
        } else {
            item.style = in.Dword();
            item.exStyle = in.Dword();
        }
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = *extended ? static_cast<int>(in.Dword()) : static_cast<short>(in.Word());
        item.className = ClassName(in.StringOrOrdinal());
        item.text = in.StringOrOrdinal();
        item.extraBytes = in.Word();
        dialog.items.push_back(item);
    }
    return dialog;
}

void ExpectItem(const Item& actual, const Item& expected, int index)
{
    SCOPED_TRACE("item " + std::to_string(index + 1));
    EXPECT_EQ(actual.className, expected.className);  // exactly cased
    if (!expected.text.empty()) {
        EXPECT_EQ(actual.text, expected.text);
    }
    EXPECT_EQ(actual.id, expected.id);
    EXPECT_EQ(actual.style, expected.style);
    EXPECT_EQ(actual.exStyle, 0u);
    EXPECT_EQ(actual.helpId, 0u);
    EXPECT_EQ(actual.extraBytes, 0);
    EXPECT_EQ((std::vector<short>{actual.x, actual.y, actual.cx, actual.cy}),
              (std::vector<short>{expected.x, expected.y, expected.cx, expected.cy}));
}

} // namespace

// Template 100, the test dialog: an extended template with the icon, two
// lines of text, OK and the date control at id 1000 of class "DatumCtrl".
TEST_F(CorvanelResources, TestDialogTemplate)
{
    bool extended = false;
    const DialogResource dialog = ParseDialog(Raw(RT_DIALOG, 100), &extended);
    EXPECT_TRUE(extended);
    EXPECT_EQ(dialog.style, 0x80C800C0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_EQ((std::vector<short>{dialog.x, dialog.y, dialog.cx, dialog.cy}), (std::vector<short>{0, 0, 235, 137}));
    EXPECT_EQ(dialog.menu, "");
    EXPECT_EQ(dialog.windowClass, "");
    EXPECT_EQ(dialog.title, "About Corvanel");
    EXPECT_EQ(dialog.font, "MS Sans Serif");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, 400);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, 0);

    const Item expected[] = {
        {"static", "#128", -1, 0x50000003, 11, 17, 20, 20},
        {"static", "Corvanel Version 1.0", -1, 0x50020080, 40, 10, 119, 8},
        {"static", "", -1, 0x50020000, 40, 25, 119, 8},
        {"button", "OK", IDOK, 0x50030001, 178, 7, 50, 16},
        {"DatumCtrl", "", 1000, 0x50810000, 48, 65, 64, 14},
    };
    ASSERT_EQ(dialog.items.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
        ExpectItem(dialog.items[i], expected[i], static_cast<int>(i));
    EXPECT_FALSE(dialog.items[2].text.empty()) << "the second line of text";
    EXPECT_EQ(dialog.items[4].text, "") << "the date control starts empty";
}

// Template 101, the calendar popup: a classic template with one month
// calendar of class "SysMonthCal32" showing week numbers.
TEST_F(CorvanelResources, CalendarPopupTemplate)
{
    bool extended = true;
    const DialogResource dialog = ParseDialog(Raw(RT_DIALOG, 101), &extended);
    EXPECT_FALSE(extended);
    EXPECT_EQ(dialog.style, 0x80800040u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ((std::vector<short>{dialog.x, dialog.y, dialog.cx, dialog.cy}), (std::vector<short>{0, 0, 182, 138}));
    EXPECT_EQ(dialog.menu, "");
    EXPECT_EQ(dialog.windowClass, "");
    EXPECT_EQ(dialog.title, "");
    EXPECT_EQ(dialog.font, "MS Sans Serif");
    EXPECT_EQ(dialog.pointSize, 8);
    ASSERT_EQ(dialog.items.size(), 1u);
    ExpectItem(dialog.items[0], {"SysMonthCal32", "MonthCalendar3", 1002, 0x50010004, 0, 0, 129, 95}, 0);
}

// The three button faces, pixel for pixel: 15 x 20, 4 bits, uncompressed,
// bottom-up, the 16-colour palette; Swedish, like nothing else.
TEST_F(CorvanelResources, ButtonFaces)
{
    struct Rows {
        const char* row;
        int count;
    };
    const std::vector<Rows> up = {{"KKKKKKKKKKKKKKK", 1}, {"KWWWWWWWWWWWWDK", 1}, {"KWLLLLLLLLLLDDK", 6},
                                  {"KWLKKKKKKKLLDDK", 1}, {"KWLLKKKKKLLLDDK", 1}, {"KWLLLKKKLLLLDDK", 1},
                                  {"KWLLLLKLLLLLDDK", 1}, {"KWLLLLLLLLLLDDK", 5}, {"KWDDDDDDDDDDDDK", 1},
                                  {"KDDDDDDDDDDDDDK", 1}, {"KKKKKKKKKKKKKKK", 1}};
    const std::vector<Rows> down = {{"KKKKKKKKKKKKKKK", 2}, {"KLLLLLLLLLLLLLK", 7}, {"KLLLKKKKKKKLLLK", 1},
                                    {"KLLLLKKKKKLLLLK", 1}, {"KLLLLLKKKLLLLLK", 1}, {"KLLLLLLKLLLLLLK", 1},
                                    {"KLLLLLLLLLLLLLK", 6}, {"KKKKKKKKKKKKKKK", 1}};
    const std::vector<Rows> disabled = {{"KKKKKKKKKKKKKKK", 1}, {"KWWWWWWWWWWWWDK", 1}, {"KWLLLLLLLLLLDDK", 6},
                                        {"KWLDDDDDDDLLDDK", 1}, {"KWLLDDDDDWWLDDK", 1}, {"KWLLLDDDWWLLDDK", 1},
                                        {"KWLLLLDWWLLLDDK", 1}, {"KWLLLLLWLLLLDDK", 1}, {"KWLLLLLLLLLLDDK", 4},
                                        {"KWDDDDDDDDDDDDK", 1}, {"KDDDDDDDDDDDDDK", 1}, {"KKKKKKKKKKKKKKK", 1}};
    const std::map<char, int> index = {{'K', 0}, {'D', 7}, {'L', 8}, {'W', 15}};
    const DWORD palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                               0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const std::pair<UINT, const std::vector<Rows>*> faces[] = {{134, &up}, {131, &down}, {133, &disabled}};

    for (const auto& [id, rows] : faces) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        EXPECT_EQ(Languages(RT_BITMAP, id), std::set<WORD>{kSwedish});
        const std::vector<BYTE> data = Raw(RT_BITMAP, id, kSwedish);
        ASSERT_GE(data.size(), sizeof(BITMAPINFOHEADER) + 64 + 8 * 20);
        BITMAPINFOHEADER header;
        std::memcpy(&header, data.data(), sizeof header);
        EXPECT_EQ(header.biWidth, 15);
        EXPECT_EQ(header.biHeight, 20) << "positive: bottom-up";
        EXPECT_EQ(header.biBitCount, 4);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        for (int i = 0; i < 16; ++i) {
            const BYTE* quad = data.data() + sizeof header + 4 * i;
            EXPECT_EQ(static_cast<DWORD>(quad[2] << 16 | quad[1] << 8 | quad[0]), palette[i]) << "palette " << i;
        }
        std::vector<std::string> expected;
        for (const Rows& r : *rows)
            expected.insert(expected.end(), static_cast<std::size_t>(r.count), r.row);
        ASSERT_EQ(expected.size(), 20u);
        const BYTE* bits = data.data() + sizeof header + 64;
        for (int y = 0; y < 20; ++y) {
            const BYTE* row = bits + (19 - y) * 8;  // 15 pixels in 8 bytes, bottom row first
            for (int x = 0; x < 15; ++x) {
                const int pixel = (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
                EXPECT_EQ(pixel, index.at(expected[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]))
                    << "row " << y << " column " << x;
            }
        }
    }
}

// Icon group 128 holds 48, 32 and 16 pixels at 4, 8 and 24 bits; group 129
// holds 32 and 16 at 4 bits. Every image is a loadable icon of its size.
TEST_F(CorvanelResources, IconGroups)
{
    const std::pair<UINT, std::set<std::pair<int, int>>> groups[] = {
        {128, {{48, 4}, {48, 8}, {48, 24}, {32, 4}, {32, 8}, {32, 24}, {16, 4}, {16, 8}, {16, 24}}},
        {129, {{32, 4}, {16, 4}}},
    };
    for (const auto& [group, expected] : groups) {
        SCOPED_TRACE("icon group " + std::to_string(group));
        const std::vector<BYTE> data = Raw(RT_GROUP_ICON, group);
        ASSERT_GE(data.size(), 6u);
        Reader in(data);
        in.Word();
        EXPECT_EQ(in.Word(), 1) << "an icon group";
        const WORD count = in.Word();
        std::set<std::pair<int, int>> actual;
        for (WORD i = 0; i < count; ++i) {
            const int width = in.Byte();
            const int height = in.Byte();
            in.Byte();
            in.Byte();
            in.Word();
            const int bits = in.Word();
            in.Dword();
            const WORD id = in.Word();
            EXPECT_EQ(width, height);
            actual.insert({width, bits});

            std::vector<BYTE> image = Raw(RT_ICON, id);
            ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER header;
            std::memcpy(&header, image.data(), sizeof header);
            EXPECT_EQ(header.biWidth, width);
            EXPECT_EQ(header.biHeight, 2 * height) << "colour bits and mask";
            EXPECT_EQ(header.biBitCount, bits);
            HICON icon = ::CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                                    width, height, 0);
            EXPECT_NE(icon, nullptr) << width << " px, " << bits << " bits";
            if (icon)
                ::DestroyIcon(icon);
        }
        EXPECT_EQ(actual, expected);
    }
}

// Menu 128: one popup "..." holding only "&About Corvanel..." (57664).
TEST_F(CorvanelResources, Menu)
{
    const std::vector<BYTE> data = Raw(RT_MENU, 128);
    ASSERT_FALSE(data.empty());
    HMENU menu = ::LoadMenuIndirectA(data.data());
    ASSERT_NE(menu, nullptr);
    char text[64] = {};
    EXPECT_EQ(::GetMenuItemCount(menu), 1);
    ::GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "...");
    HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(::GetMenuItemCount(popup), 1);
    EXPECT_EQ(::GetMenuItemID(popup, 0), 57664u);
    ::GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Corvanel...");
    ::DestroyMenu(menu);
}

// Accelerator table 128: all 14 virtual-key entries, in order.
TEST_F(CorvanelResources, Accelerators)
{
    struct Accel {
        int flags, key, command;
    };
    constexpr int V = FVIRTKEY, C = FCONTROL, S = FSHIFT, A = FALT;
    const Accel expected[] = {
        {V | C, 'N', 57600}, {V | C, 'O', 57601}, {V | C, 'S', 57603},        {V | C, 'P', 57607},
        {V | C, 'Z', 57643}, {V | C, 'X', 57635}, {V | C, 'C', 57634},        {V | C, 'V', 57637},
        {V | A, 0x08, 57643}, {V | S, 0x2E, 57635}, {V | C, 0x2D, 57634},     {V | S, 0x2D, 57637},
        {V, 0x75, 57680},    {V | S, 0x75, 57681},
    };
    const std::vector<BYTE> data = Raw(RT_ACCELERATOR, 128);
    ASSERT_EQ(data.size(), 8 * std::size(expected));
    Reader in(data);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i + 1));
        const int flags = in.Word();
        EXPECT_EQ(flags & ~0x80, expected[i].flags);
        EXPECT_EQ((flags & 0x80) != 0, i + 1 == std::size(expected)) << "end mark on the last entry only";
        EXPECT_EQ(in.Word(), expected[i].key);
        EXPECT_EQ(in.Word(), expected[i].command);
        in.Word();
    }
}

// The string table: exactly the 62 strings, the document string's seven
// fields, the prompts with their short names, and no string 100.
TEST_F(CorvanelResources, StringTable)
{
    std::map<UINT, std::string> strings;
    std::vector<UINT> blocks;
    ::EnumResourceNamesA(s_module, RT_STRING, &AddName, reinterpret_cast<LONG_PTR>(&blocks));
    for (UINT block : blocks) {
        EXPECT_EQ(Languages(RT_STRING, block), std::set<WORD>{kEnglishUs});
        const std::vector<BYTE> data = Raw(RT_STRING, block);
        Reader in(data);
        for (UINT i = 0; i < 16; ++i) {
            const WORD length = in.Word();
            std::string text;
            for (WORD c = 0; c < length; ++c)
                text += static_cast<char>(in.Word());
            if (length > 0)
                strings[(block - 1) * 16 + i] = text;
        }
    }

    // Texts given whole, and prompts whose short name follows a line feed.
    std::map<UINT, std::string> whole = {
        {128, "Corvanel\n\nCorvanel\n\n\nCorvanel.Document\nCorvanel.Document"},
        {57344, "Corvanel"},
        {57345, "Ready"},
        {59136, "EXT"},
        {59137, "CAP"},
        {59138, "NUM"},
        {59139, "SCRL"},
        {59140, "OVR"},
        {59141, "REC"},
        {61184, "Change the window size"},
        {61185, "Change the window position"},
        {61186, "Reduce the window to an icon"},
        {61187, "Enlarge the window to full size"},
        {61188, "Switch to the next document window"},
        {61189, "Switch to the previous document window"},
        {61190, "Close the active window and prompts to save the documents"},
        {61202, "Restore the window to normal size"},
        {61203, "Activate Task List"},
    };
    for (UINT id = 57616; id <= 57631; ++id)
        whole[id] = "Open this document";
    const std::map<UINT, std::string> named = {
        {57600, "New"},        {57601, "Open"},        {57602, "Close"},          {57603, "Save"},
        {57604, "Save As"},    {57605, "Page Setup"},  {57606, "Print Setup"},    {57607, "Print"},
        {57609, "Print Preview"}, {57632, "Erase"},    {57633, "Erase All"},      {57634, "Copy"},
        {57635, "Cut"},        {57636, "Find"},        {57637, "Paste"},          {57640, "Repeat"},
        {57641, "Replace"},    {57642, "Select All"},  {57643, "Undo"},           {57644, "Redo"},
        {57653, "Split"},      {57664, "About"},       {57665, "Exit"},           {57680, "Next Pane"},
        {57681, "Previous Pane"}, {59392, "Toggle ToolBar"}, {59393, "Toggle StatusBar"}, {61445, "Cancel Preview"},
    };
    EXPECT_EQ(strings.size(), 62u);
    EXPECT_EQ(whole.size() + named.size(), 62u);
    EXPECT_EQ(strings.count(100), 0u) << "string 100 stays out of the table";
    EXPECT_EQ(strings.count(57608), 0u) << "print direct has no prompt";
    for (const auto& [id, text] : whole)
        EXPECT_EQ(strings[id], text) << "string " << id;
    for (const auto& [id, name] : named) {
        const std::string& text = strings[id];
        const std::size_t feed = text.find('\n');
        ASSERT_NE(feed, std::string::npos) << "string " << id << ": " << text;
        EXPECT_GT(feed, 0u) << "string " << id << " has a status-bar prompt";
        EXPECT_EQ(text.substr(feed + 1), name) << "string " << id;
    }
}

// The version block: 1.0.0.1, 32-bit Windows, an application, one English
// string table for code page 1252 naming the executable.
TEST_F(CorvanelResources, VersionBlock)
{
    const std::string path = CorvanelExePath();
    DWORD unused = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &unused);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    auto query = [&block](const char* key) {
        void* value = nullptr;
        UINT length = 0;
        return ::VerQueryValueA(block.data(), key, &value, &length) ? std::make_pair(value, length)
                                                                    : std::make_pair(nullptr, 0u);
    };
    const auto [fixedValue, fixedLength] = query("\\");
    ASSERT_EQ(fixedLength, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(fixedValue);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileOS, 0x4u);
    EXPECT_EQ(fixed->dwFileType, 1u);

    const auto [translation, translationLength] = query("\\VarFileInfo\\Translation");
    ASSERT_EQ(translationLength, 4u);
    EXPECT_EQ(static_cast<const WORD*>(translation)[0], 0x0409);
    EXPECT_EQ(static_cast<const WORD*>(translation)[1], 0x04E4);

    auto text = [&query](const char* name) {
        const std::string key = std::string("\\StringFileInfo\\040904e4\\") + name;
        const auto [value, length] = query(key.c_str());
        return value ? std::string(static_cast<const char*>(value)) : std::string("(missing)");
    };
    EXPECT_EQ(text("FileVersion"), "1.0.0.1");
    EXPECT_EQ(text("ProductVersion"), "1.0.0.1");
    EXPECT_EQ(text("InternalName"), "Corvanel.exe");
    EXPECT_EQ(text("OriginalFilename"), "Corvanel.exe");
    for (const char* placeholder : {"CompanyName", "FileDescription", "LegalCopyright", "ProductName"})
        EXPECT_NE(text(placeholder), "(missing)") << placeholder;
}

// The manifest (type 24, id 1): x86 in the 32-bit program, amd64 in the
// 64-bit one, and no dependency at all: neither the common controls 6 nor
// the side-by-side runtimes that a static build lacks. The program read may
// be of either kind (the 64-bit tests also check the 32-bit product), so the
// expected architecture follows the file's own PE header.
TEST_F(CorvanelResources, Manifest)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(reinterpret_cast<ULONG_PTR>(s_module) & ~ULONG_PTR{3});
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(dos) + dos->e_lfanew);
    const bool is64 = nt->FileHeader.Machine == IMAGE_FILE_MACHINE_AMD64;
    ASSERT_TRUE(is64 || nt->FileHeader.Machine == IMAGE_FILE_MACHINE_I386) << nt->FileHeader.Machine;
    const char* architecture = is64 ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"x86\"";
    EXPECT_EQ(Languages(RT_MANIFEST, 1), std::set<WORD>{kEnglishUs});
    const std::vector<BYTE> data = Raw(RT_MANIFEST, 1);
    const std::string text(data.begin(), data.end());
    EXPECT_NE(text.find(architecture), std::string::npos) << text;
    EXPECT_EQ(text.find("<dependency"), std::string::npos) << text;
    EXPECT_EQ(text.find("Common-Controls"), std::string::npos);
    EXPECT_EQ(text.find("VC80"), std::string::npos);
}

// Everything but the button faces is English (United States).
TEST_F(CorvanelResources, Languages)
{
    const std::pair<LPCSTR, UINT> english[] = {{RT_DIALOG, 100}, {RT_DIALOG, 101},     {RT_MENU, 128},
                                               {RT_ACCELERATOR, 128}, {RT_GROUP_ICON, 128}, {RT_GROUP_ICON, 129},
                                               {RT_VERSION, 1}};
    for (const auto& [type, id] : english)
        EXPECT_EQ(Languages(type, id), std::set<WORD>{kEnglishUs}) << "resource " << id;
}
