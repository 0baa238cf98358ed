/* resource.h: the ids of the C consumer's resources. */
#define IDD_DATES       100
#define IDI_APP         101
#define IDS_DUE         102
#define IDC_START       1003
#define IDC_DUE         1000
#define IDC_DUE_LABEL   1004
