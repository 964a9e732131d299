// Resource and control ids of Zandry's windows, shared by res/zandry.rc and the C++ code.
// Plain #define lines only: windres and the C++ code both read it.
#pragma once

#define IDI_ZANDRY              128

// The chooser: pick a pet and start the host program.
#define IDD_CHOOSER             102
#define IDC_CHOOSER_PET         1025
#define IDC_CHOOSER_SETTINGS    1026

// Adopting, renaming and discarding pets.
#define IDD_PET_MANAGE          129
#define IDC_MANAGE_NAME         1036
#define IDC_MANAGE_LIST         1037
#define IDC_MANAGE_DISCARD      1039
#define IDC_MANAGE_ADOPT        1040
#define IDC_MANAGE_RENAME       1042

// The first-run setup.
#define IDD_INIT_SETUP          136
#define IDC_SETUP_HOST          1049
#define IDC_SETUP_PETS          1050

// Message texts.
#define IDS_NAME_TOO_LONG       200
#define IDS_DISCARD_QUESTION    201
#define IDS_DISCARD_CAPTION     202
#define IDS_CANNOT_READ         203
#define IDS_CANNOT_WRITE        204
#define IDS_CANNOT_RENAME       205
#define IDS_CANNOT_START        206
#define IDS_NOT_LAUNCHED        207
#define IDS_NOT_SET_UP          208
#define IDS_NOT_ADOPTED         209
#define IDS_NOT_RENAMED         210
#define IDS_NOT_DISCARDED       211
#define IDS_HOST_RUNNING        212
#define IDS_NOT_RECOVERED       213
#define IDS_RESTORE_QUESTION    214

// windres gets this from <winres.h>; portable code has no such header.
#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif
