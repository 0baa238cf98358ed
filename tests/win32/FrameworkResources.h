// FrameworkResources.h: ids of the framework tests' resources.
#pragma once

#define IDB_FACE_UP 201
#define IDB_FACE_DOWN 202
#define IDB_FACE_FOCUS 203
#define IDB_FACE_DISABLED 204
#define IDS_WEEK 7
