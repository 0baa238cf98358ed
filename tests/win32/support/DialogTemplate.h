// DialogTemplate.h: dialog templates built in memory, for tests that need a
// dialog holding particular controls (custom class names included).
//
//   DialogLayout       the dialog: style, position and size in dialog units, title, font
//   ItemLayout         one control: class name (kept exactly as written), text, id, style, rectangle
//   PushButton, DefPushButton, EditBox   ItemLayouts for the common controls
//   DialogTemplate   builds a DLGTEMPLATEEX (or a classic DLGTEMPLATE) for CDialog
//
//   DialogTemplate dialog({.cx = 160, .cy = 80, .title = "Two fields"});
//   dialog.Add(EditBox(1000, 10, 10, 80, "DatumEdit"))
//         .Add(EditBox(1001, 10, 30))
//         .Add(DefPushButton("OK", IDOK, 10, 55))
//         .Add(PushButton("Cancel", IDCANCEL, 70, 55));
//   CDialog dlg(dialog.Get());
//
// Designated initialisers must follow the order of the fields.
#pragma once

#include "platform/window/Win32.h"

#include <string>
#include <vector>

namespace test {

struct DialogLayout {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    DWORD exStyle = 0;
    short x = 20;
    short y = 20;
    short cx = 200;
    short cy = 100;
    const char* title = "Test dialog";
    const char* font = "MS Shell Dlg";   // null: no DS_SETFONT
    WORD pointSize = 8;
    bool extended = true;                // DLGTEMPLATEEX; false: classic DLGTEMPLATE
};

struct ItemLayout {
    const char* className = "BUTTON";
    const char* text = "";
    WORD id = 0;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 50;
    short cy = 14;
};

ItemLayout PushButton(const char* text, WORD id, short x, short y);
ItemLayout DefPushButton(const char* text, WORD id, short x, short y);
ItemLayout EditBox(WORD id, short x, short y, short cx = 80, const char* className = "EDIT");

class DialogTemplate {
public:
    explicit DialogTemplate(const DialogLayout& layout);
    DialogTemplate& Add(const ItemLayout& item);
    // The finished template; valid while this object lives and is not changed.
    const DLGTEMPLATE* Get();

private:
    void Build();

    struct Item {
        ItemLayout layout;
        std::string className;
        std::string text;
    };

    DialogLayout m_layout;
    std::string m_title;
    std::string m_font;
    std::vector<Item> m_items;
    std::vector<WORD> m_words;
};

} // namespace test
