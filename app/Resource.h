/* Resource.h: ids of the application's own resources. Plain defines, so that
   the resource script includes this header as well as C++ code. The
   framework's command and prompt ids are in platform/window/CommandIds.h, the date
   control's bitmaps and popup template in controls/ControlResources.h. */
#pragma once

#define IDR_MAINFRAME          128   /* menu, accelerators, icon, document string */
#define IDR_DOCUMENT           129   /* the document's icon; no code refers to it */

#define IDD_ABOUTBOX           100   /* the test dialog */
#define IDP_OLE_INIT_FAILED    100   /* prompt of the OLE failure; deliberately not in the string table */

#define IDC_ABOUT_DATUM        1000  /* the test dialog's date control */
#define IDC_POPUP_CALENDAR     1002  /* the month calendar of the calendar popup */
