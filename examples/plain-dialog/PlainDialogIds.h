// PlainDialogIds.h: the ids of the example's dialog. Plain defines, so that
// the resource script can include this header as well as the program.
#pragma once

#define IDD_PLAIN_DIALOG   100
#define IDC_DUE_DATE       1000   // "DatumCtrl"; its popup button takes 1001
#define IDC_START_DATE     1003   // "DatumEdit"
#define IDC_STAY_FROM      1004   // "DatumCtrl", the start of a linked pair
#define IDC_STAY_TO        1005   // "DatumCtrl", its end
