/* CommandIds.h: the framework's standard command ids and the ids of its own
   prompt strings. Plain defines, so that resource scripts can include this
   header as well as C++ code.

   A command's prompt string has the command's id: a status-bar prompt, then a
   line feed and the command's short name where it has one. */
#pragma once

/* Document commands. */
#define ID_FILE_NEW            0xE100  /* 57600 */
#define ID_FILE_OPEN           0xE101
#define ID_FILE_CLOSE          0xE102
#define ID_FILE_SAVE           0xE103
#define ID_FILE_SAVE_AS        0xE104
#define ID_FILE_PAGE_SETUP     0xE105
#define ID_FILE_PRINT_SETUP    0xE106
#define ID_FILE_PRINT          0xE107
#define ID_FILE_PRINT_DIRECT   0xE108  /* print without the print dialog; no prompt */
#define ID_FILE_PRINT_PREVIEW  0xE109
#define ID_FILE_MRU_FIRST      0xE110  /* 57616: sixteen recent-file entries */
#define ID_FILE_MRU_LAST       0xE11F  /* 57631 */

/* Edit commands. */
#define ID_EDIT_CLEAR          0xE120  /* 57632 */
#define ID_EDIT_CLEAR_ALL      0xE121
#define ID_EDIT_COPY           0xE122
#define ID_EDIT_CUT            0xE123
#define ID_EDIT_FIND           0xE124
#define ID_EDIT_PASTE          0xE125
#define ID_EDIT_REPEAT         0xE128
#define ID_EDIT_REPLACE        0xE129
#define ID_EDIT_SELECT_ALL     0xE12A
#define ID_EDIT_UNDO           0xE12B
#define ID_EDIT_REDO           0xE12C

/* Window, application and pane commands. */
#define ID_WINDOW_SPLIT        0xE135  /* 57653 */
#define ID_APP_ABOUT           0xE140  /* 57664 */
#define ID_APP_EXIT            0xE141
#define ID_NEXT_PANE           0xE150  /* 57680 */
#define ID_PREV_PANE           0xE151

/* Status-bar indicators. */
#define ID_INDICATOR_EXT       0xE700  /* 59136 */
#define ID_INDICATOR_CAPS      0xE701
#define ID_INDICATOR_NUM       0xE702
#define ID_INDICATOR_SCRL      0xE703
#define ID_INDICATOR_OVR       0xE704
#define ID_INDICATOR_REC       0xE705

/* Control-bar commands. */
#define ID_VIEW_TOOLBAR        0xE800  /* 59392 */
#define ID_VIEW_STATUS_BAR     0xE801

/* Framework strings: the application title, the idle message, the prompts
   of the system menu's commands and of closing the print preview. */
#define IDS_APP_TITLE          0xE000  /* 57344 */
#define IDS_IDLE_MESSAGE       0xE001  /* 57345 */
#define IDS_SC_SIZE            0xEF00  /* 61184 */
#define IDS_SC_MOVE            0xEF01
#define IDS_SC_MINIMIZE        0xEF02
#define IDS_SC_MAXIMIZE        0xEF03
#define IDS_SC_NEXTWINDOW      0xEF04
#define IDS_SC_PREVWINDOW      0xEF05
#define IDS_SC_CLOSE           0xEF06
#define IDS_SC_RESTORE         0xEF12  /* 61202 */
#define IDS_SC_TASKLIST        0xEF13
#define IDS_PREVIEW_CLOSE      0xF005  /* 61445 */

/* The child id of a frame's view. */
#define IDW_PANE_FIRST         0xE900
