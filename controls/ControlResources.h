// ControlResources.h: the resources that the date control and its popup load
// from the application's module. Plain defines, so that resource scripts can
// include this header as well as C++ code.
#pragma once

#define IDD_KALENDERPOPUP       101   // dialog template of the calendar popup
#define IDB_KODPOPUP_DOWN       131   // popup button face, pressed
#define IDB_KODPOPUP_DISABLED   133   // popup button face, disabled
#define IDB_KODPOPUP_UP         134   // popup button face, up and focused
